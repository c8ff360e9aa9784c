// Checking a book file: every line is replayed on a new game the way the game
// itself meets it. White's moves go through move input, as the player clicks
// them; Black's through the computer's book step for one entry. A move the
// game refuses there is a move it passes over, and the rest of its line is
// never reached.
#include "book/kontrola.h"

#include "model/sachovnice.h"

#include <istream>
#include <sstream>
#include <utility>

namespace {

const char* const JMENA[] = {"", "pesec", "kun", "strelec", "vez", "dama", "kral"};

std::string nazevpole(Pozice p) {
    return {static_cast<char>('a' + p.second), static_cast<char>('1' + p.first)};
}

std::string figura(const Figura* f) {
    return std::string(f->barva ? "bily " : "cerny ") + JMENA[druh(f->typ)];
}

bool jerosada(const std::string& t) {
    return t == "O-O" || t == "O-O-O";
}

// Whether the game reads the token as a move: castling, or two squares with
// files a-h (either case) and ranks 1-8.
bool jetah(Sachovnice& hra, const std::string& t) {
    if (jerosada(t)) {
        return true;
    }
    return t.size() == 4 && hra.sloupecznaku(t[0]) < 8 && hra.radekznaku(t[1]) < 8 &&
           hra.sloupecznaku(t[2]) < 8 && hra.radekznaku(t[3]) < 8;
}

struct Pohyb {
    Pozice odkud;
    Pozice kam;
};

Pohyb ctipohyb(Sachovnice& hra, const std::string& t) {
    return {{hra.radekznaku(t[1]), hra.sloupecznaku(t[0])},
            {hra.radekznaku(t[3]), hra.sloupecznaku(t[2])}};
}

// A click on a grid square, in whatever orientation the board has.
bool klikni(Sachovnice& hra, Pozice p) {
    return hra.kliknuti(7 - p.second, hra.otoceno ? p.first : 7 - p.first);
}

// Why the game refused a castling; the position is as it was before.
std::string proczadnarosada(Sachovnice& hra, bool kralovska) {
    if (!hra.rosadamozna(kralovska)) {
        return "rosada neni mozna: kral nebo vez uz tahli, nebo mezi nimi neco stoji";
    }
    if (!hra.nenisach()) {
        return "rosada ze sachu";
    }
    return "kral by prechazel pres napadene pole nebo na nem skoncil";
}

// Why the game refused a move of one piece; the position is as it was before.
std::string proczadnytah(Sachovnice& hra, const Pohyb& p) {
    Figura* kdo = hra.pole[p.odkud.first][p.odkud.second];
    Figura* cil = hra.pole[p.kam.first][p.kam.second];
    if (!kdo->jefigura) {
        return "na " + nazevpole(p.odkud) + " nestoji zadna figura";
    }
    if (kdo->barva != hra.natahu) {
        return "na " + nazevpole(p.odkud) + " stoji " + figura(kdo) + ", tahne druha strana";
    }
    if (cil->jefigura && cil->barva == hra.natahu) {
        return "na " + nazevpole(p.kam) + " stoji vlastni figura (" + figura(cil) + ")";
    }
    if (jekral(cil->typ)) {
        return "bral by krale";
    }
    if (!kdo->muzetahnout(cil, hra.pole)) {
        return std::string(JMENA[druh(kdo->typ)]) + " z " + nazevpole(p.odkud) + " na " +
               nazevpole(p.kam) + " tahnout nemuze";
    }
    return "nechal by vlastniho krale v sachu";
}

// A king's step of two squares from its home square, which the player's
// clicks make a castling: the book knows castling only as O-O and O-O-O.
bool rosadapolem(Sachovnice& hra, const Pohyb& p) {
    const int zadni = hra.natahu ? 0 : 7;
    const Figura* kdo = hra.pole[p.odkud.first][p.odkud.second];
    return kdo->typ == typbarvy(BILY_KRAL, hra.natahu) && p.odkud == Pozice{zadni, 4} &&
           p.kam.first == zadni && (p.kam.second == 6 || p.kam.second == 2);
}

// Plays the token for the side to move as the game would; empty when it was
// played, otherwise why the game refuses it.
std::string zahraj(Sachovnice& hra, const std::string& t) {
    const int kod = hra.kodtahu(t);
    if (jerosada(t)) {
        const bool kralovska = t == "O-O";
        bool zahrano = false;
        if (hra.natahu) {
            // The player selects the king and clicks its landing square. With
            // another piece on e1 the same clicks would move that piece.
            zahrano = hra.rosadamozna(kralovska) && klikni(hra, {0, 4}) &&
                      klikni(hra, {0, kralovska ? 6 : 2});
        } else if (hra.zahrajknihovni(kod)) {
            hra.posunuzel(kod);
            zahrano = true;
        }
        hra.stav = 0;
        return zahrano ? std::string() : proczadnarosada(hra, kralovska);
    }

    const Pohyb p = ctipohyb(hra, t);
    if (rosadapolem(hra, p)) {
        return "rosada se pise O-O nebo O-O-O";
    }
    const Figura* kdo = hra.pole[p.odkud.first][p.odkud.second];
    const bool promena = kdo->typ == BILY_PESEC && p.kam.first == 7;
    bool zahrano = false;
    if (hra.natahu && !promena) {
        zahrano = klikni(hra, p.odkud) && klikni(hra, p.kam);
    } else if (hra.zahrajknihovni(kod)) {
        // A player's promotion opens the dialog, which a checker cannot
        // answer; the book step is the same move with the queen picked, and
        // the book goes on from the same code whatever the player picks.
        hra.posunuzel(kod);
        zahrano = true;
    }
    hra.stav = 0;
    return zahrano ? std::string() : proczadnytah(hra, p);
}

std::vector<std::string> tokeny(const std::string& radek) {
    std::istringstream parse(radek);
    std::vector<std::string> tahy;
    for (std::string token; parse >> token;) {
        tahy.push_back(token);
    }
    return tahy;
}

void zkontrolujlinii(Sachovnice& hra, int cislo, const std::vector<std::string>& tahy,
                     std::vector<Nalez>& nalezy) {
    int konec = 0;            // the move at which the line left the book; 0 while it follows it
    bool poznamenano = false; // whether the moves after that have been reported
    for (std::size_t i = 0; i < tahy.size(); ++i) {
        const int tah = static_cast<int>(i) + 1;
        const std::string& t = tahy[i];
        // A token that does not read as a move is reported wherever it stands.
        if (!jetah(hra, t)) {
            nalezy.push_back({cislo, tah, t, "neni tah (cte se napr. e2e4, O-O nebo O-O-O)"});
            konec = konec ? konec : tah;
            continue;
        }
        if (konec) {
            if (!poznamenano) {
                nalezy.push_back(
                    {cislo, tah, t,
                     "sem hra nedojde, linie skoncila u tahu " + std::to_string(konec)});
                poznamenano = true;
            }
            continue;
        }
        if (!hra.vknihovne()) {
            // Every accepted move keeps the cursor in the tree that the same
            // file builds; this guards that the two readings of it agree.
            nalezy.push_back({cislo, tah, t, "hra tu uz knihovnu opustila"});
            konec = tah;
            continue;
        }
        const bool bily = hra.natahu;
        const std::string duvod = zahraj(hra, t);
        if (!duvod.empty()) {
            nalezy.push_back(
                {cislo, tah, t,
                 (bily ? "tah bileho hra odmitne: " : "pocitac tah cerneho preskoci: ") + duvod});
            konec = tah;
        }
    }
}

} // namespace

VysledekKontroly zkontrolujknihovnu(std::istream& vstup) {
    std::vector<std::string> radky;
    for (std::string radek; std::getline(vstup, radek);) {
        radky.push_back(radek);
    }
    std::string text;
    for (const std::string& radek : radky) {
        text += radek + '\n';
    }

    // The tree the game builds from this file, moved from game to game.
    std::vector<std::map<int, int>> strom;
    {
        Sachovnice vzor(nullptr, {});
        std::istringstream kniha(text);
        vzor.nactiknihovnu(kniha);
        strom = std::move(vzor.knihovna);
    }

    VysledekKontroly vysledek;
    for (std::size_t i = 0; i < radky.size(); ++i) {
        const int cislo = static_cast<int>(i) + 1;
        const std::vector<std::string> tahy = tokeny(radky[i]);
        if (tahy.empty()) {
            // The game stops reading here.
            int zbyva = 0;
            for (std::size_t j = i + 1; j < radky.size(); ++j) {
                zbyva += tokeny(radky[j]).empty() ? 0 : 1;
            }
            if (zbyva > 0) {
                vysledek.nalezy.push_back({cislo, 0, "",
                                           "prazdny radek konci knihovnu, hra necte nic za nim "
                                           "(radku s tahy: " +
                                               std::to_string(zbyva) + ")"});
            }
            break;
        }
        ++vysledek.linii;
        Sachovnice hra(nullptr, std::move(strom));
        zkontrolujlinii(hra, cislo, tahy, vysledek.nalezy);
        strom = std::move(hra.knihovna);
    }
    return vysledek;
}

std::string popisnalezu(const std::string& soubor, const Nalez& nalez) {
    std::string popis = soubor + ":" + std::to_string(nalez.radek) + ":";
    if (nalez.tah > 0) {
        popis += std::to_string(nalez.tah) + ": " + nalez.token + ":";
    }
    return popis + " " + nalez.duvod;
}
