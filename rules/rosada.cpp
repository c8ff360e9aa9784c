// Castling: the king moves two squares toward an unmoved rook, which jumps
// over it. The king may not be in check, pass an attacked square or land on one.
#include "model/sachovnice.h"

namespace {
struct RosadniPole {
    int rada;   // the back row
    int smer;   // +1 toward the king's side, -1 toward the queen's
    int rohovy; // the rook's column
    Pozice kral() const { return {rada, 4}; }
    Pozice pres() const { return {rada, 4 + smer}; }
    Pozice pristani() const { return {rada, 4 + 2 * smer}; }
    Pozice roh() const { return {rada, rohovy}; }
};

RosadniPole rosadnipole(bool barva, bool kralovska) {
    return {barva ? 0 : 7, kralovska ? 1 : -1, kralovska ? 7 : 0};
}
} // namespace

bool Sachovnice::rosadamozna(bool kralovska) {
    const RosadniPole p = rosadnipole(natahu, kralovska);
    const Figura* kral = pole[p.rada][4];
    if (kral->typ != typbarvy(BILY_KRAL, natahu) || !kral->nepohnuta) {
        return false;
    }
    // Every square between king and rook must be empty.
    for (int c = 4 + p.smer; c != p.rohovy; c += p.smer) {
        if (pole[p.rada][c]->typ != PRAZDNO) {
            return false;
        }
    }
    const Figura* vez = pole[p.rada][p.rohovy];
    return vez->typ == typbarvy(BILA_VEZ, natahu) && vez->nepohnuta;
}

VysledekRosady Sachovnice::provedrosadu(bool kralovska) {
    const RosadniPole p = rosadnipole(natahu, kralovska);
    if (!nenisach()) {
        return VysledekRosady::VSACHU;
    }
    vymen(p.kral(), p.pres());
    if (!nenisach()) {
        vymen(p.pres(), p.kral());
        return VysledekRosady::NAPADENA;
    }
    vymen(p.pres(), p.pristani());
    if (!nenisach()) {
        vymen(p.pristani(), p.pres());
        vymen(p.pres(), p.kral());
        return VysledekRosady::NAPADENA;
    }
    vymen(p.roh(), p.pres());
    pole[p.rada][4 + 2 * p.smer]->nepohnuta = false;
    pole[p.rada][4 + p.smer]->nepohnuta = false;
    return VysledekRosady::HOTOVA;
}

bool Sachovnice::rosadalegalni(bool kralovska) {
    if (!rosadamozna(kralovska) || provedrosadu(kralovska) != VysledekRosady::HOTOVA) {
        return false;
    }
    // King on its landing square and rook beside it: step back the way they came.
    const RosadniPole p = rosadnipole(natahu, kralovska);
    vymen(p.pres(), p.roh());
    vymen(p.pristani(), p.pres());
    vymen(p.pres(), p.kral());
    pole[p.rada][4]->nepohnuta = true;
    pole[p.rada][p.rohovy]->nepohnuta = true;
    return true;
}
