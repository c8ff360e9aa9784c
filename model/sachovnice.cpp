#include "model/sachovnice.h"

#include <utility>

const std::array<const char*, POCET_OBRAZKU> SOUBORY_OBRAZKU = {
    "b.bmp",   "w.bmp",   "bbb.bmp", "bbw.bmp", "bkb.bmp", "bkw.bmp", "bnb.bmp",
    "bnw.bmp", "bpb.bmp", "bpw.bmp", "bqb.bmp", "bqw.bmp", "brb.bmp", "brw.bmp",
    "wbb.bmp", "wbw.bmp", "wkb.bmp", "wkw.bmp", "wnb.bmp", "wnw.bmp", "wpb.bmp",
    "wpw.bmp", "wqb.bmp", "wqw.bmp", "wrb.bmp", "wrw.bmp"};

namespace {
// The back rank by column, as white type codes.
constexpr int ZADNI_RADA[8] = {BILA_VEZ,  BILY_KUN,     BILY_STRELEC, BILA_DAMA,
                               BILY_KRAL, BILY_STRELEC, BILY_KUN,     BILA_VEZ};

// A bitmap in the window's pixel format, so that drawing it is a plain copy
// rather than a conversion of every pixel; null when the file cannot be loaded.
Povrch nactiobrazek(const char* soubor, SDL_Surface* obrazovka) {
    Povrch bmp(SDL_LoadBMP_RW(SDL_RWFromFile(soubor, "rb"), 1));
    if (!bmp || obrazovka == nullptr) {
        return bmp;
    }
    Povrch prevedeny(SDL_ConvertSurface(bmp.get(), obrazovka->format, SDL_SWSURFACE));
    return prevedeny ? std::move(prevedeny) : std::move(bmp);
}

int pocatecnityp(int radek, int sloupec) {
    switch (radek) {
    case 0:
        return ZADNI_RADA[sloupec];
    case 1:
        return BILY_PESEC;
    case 6:
        return CERNY_PESEC;
    case 7:
        return typbarvy(ZADNI_RADA[sloupec], false);
    default:
        return PRAZDNO;
    }
}
} // namespace

Sachovnice::Sachovnice(SDL_Surface* obrazovka_) {
    uzel = 0;
    nactiknihovnu();
    postavpocatek(obrazovka_);
}

Sachovnice::Sachovnice(SDL_Surface* obrazovka_, std::vector<std::map<int, int>> kniha)
    : knihovna(std::move(kniha)) {
    uzel = 0;
    postavpocatek(obrazovka_);
}

void Sachovnice::postavpocatek(SDL_Surface* obrazovka_) {
    skokykone = SKOKY_KONE;
    smerystrelce = SMERY_STRELCE;
    smeryveze = SMERY_VEZE;
    smerydamy = SMERY_DAMY;

    natahu = true;
    obrazovka = obrazovka_;
    otoceno = true;
    stav = 0;

    for (int i = 0; i < POCET_OBRAZKU; ++i) {
        obrazky[i] = nactiobrazek(SOUBORY_OBRAZKU[i], obrazovka);
    }

    pole.reserve(8);
    std::vector<Figura*> rada;
    for (int radek = 0; radek < 8; ++radek) {
        for (int sloupec = 0; sloupec < 8; ++sloupec) {
            rada.push_back(novafigura(pocatecnityp(radek, sloupec), {radek, sloupec}));
            if (radek == 0 && sloupec == 4) {
                kralbily = rada.back();
            } else if (radek == 7 && sloupec == 4) {
                kralcerny = rada.back();
            }
        }
        pole.push_back(rada);
        rada.clear();
    }
}

Sachovnice::~Sachovnice() {
    for (auto& rada : pole) {
        for (Figura* figura : rada) {
            delete figura;
        }
    }
}
