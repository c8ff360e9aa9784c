#include "podpora.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <unistd.h>

namespace fs = std::filesystem;

const char* const VYCHOZI = "rnbqkbnr\n"
                            "pppppppp\n"
                            "........\n"
                            "........\n"
                            "........\n"
                            "........\n"
                            "PPPPPPPP\n"
                            "RNBQKBNR\n";

Uint32 maska(const SDL_Surface* s) {
    return s->format->Rmask | s->format->Gmask | s->format->Bmask;
}

Uint32 pixel(const SDL_Surface* s, int x, int y) {
    return static_cast<const Uint32*>(s->pixels)[y * (s->pitch / 4) + x] & maska(s);
}

Povrch nacti(const std::string& jmeno) {
    Povrch bmp(SDL_LoadBMP((std::string(SACHY_ASSETS) + "/" + jmeno).c_str()));
    if (!bmp) {
        return bmp;
    }
    return Povrch(SDL_ConvertSurface(bmp.get(), obrazovkatestu()->format, SDL_SWSURFACE));
}

::testing::AssertionResult ukazuje(SDL_Surface* okno, int x, int y, const std::string& jmeno) {
    const Povrch bmp = nacti(jmeno);
    if (!bmp) {
        return ::testing::AssertionFailure() << "cannot load " << jmeno;
    }
    for (int py = 0; py < 34; ++py) {
        for (int px = 0; px < 34; ++px) {
            if (pixel(okno, x + px, y + py) != pixel(bmp.get(), px, py)) {
                return ::testing::AssertionFailure()
                       << "(" << x << "," << y << ") is not " << jmeno << ": pixel (" << px << ","
                       << py << ") differs";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

std::vector<Figura*> objekty(const Sachovnice& hra) {
    std::vector<Figura*> v;
    for (const auto& rada : hra.pole) {
        v.insert(v.end(), rada.begin(), rada.end());
    }
    return v;
}

SDL_Surface* obrazovkatestu() {
    static SDL_Surface* okno = [] {
        // Without a display SDL 1.2 would otherwise fall back to an ASCII-art driver.
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        if (SDL_Init(SDL_INIT_VIDEO) < 0) {
            ADD_FAILURE() << "SDL_Init: " << SDL_GetError();
            return static_cast<SDL_Surface*>(nullptr);
        }
        if (!TTF_WasInit()) {
            TTF_Init();
        }
        return SDL_SetVideoMode(800, 600, 32, SDL_SWSURFACE);
    }();
    return okno;
}

std::unique_ptr<Sachovnice> novahra() {
    SDL_Surface* okno = obrazovkatestu();
    if (chdir(SACHY_ASSETS) != 0) {
        ADD_FAILURE() << "no assets directory";
    }
    return std::make_unique<Sachovnice>(okno);
}

void postav(Sachovnice& hra, std::initializer_list<Umisteni> figury) {
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            delete hra.pole[r][c];
            hra.pole[r][c] = new Prazdno(false, {r, c});
        }
    }
    for (const Umisteni& u : figury) {
        delete hra.pole[u.radek][u.sloupec];
        Figura* f = novafigura(u.typ, {u.radek, u.sloupec});
        hra.pole[u.radek][u.sloupec] = f;
        if (u.typ == BILY_KRAL) {
            hra.kralbily = f;
        } else if (u.typ == CERNY_KRAL) {
            hra.kralcerny = f;
        }
    }
    hra.natahu = true;
    hra.stav = 0;
}

::testing::AssertionResult invarianty(const Sachovnice& hra) {
    if (hra.pole.size() != 8) {
        return ::testing::AssertionFailure() << "rows: " << hra.pole.size();
    }
    std::set<const Figura*> videne;
    const Figura* bily = nullptr;
    const Figura* cerny = nullptr;
    int bilych = 0, cernych = 0;
    for (int r = 0; r < 8; ++r) {
        if (hra.pole[r].size() != 8) {
            return ::testing::AssertionFailure() << "row " << r << " has " << hra.pole[r].size();
        }
        for (int c = 0; c < 8; ++c) {
            const Figura* f = hra.pole[r][c];
            if (f == nullptr || !videne.insert(f).second) {
                return ::testing::AssertionFailure()
                       << "square " << r << "," << c << " is null or shared";
            }
            if (f->pozice != Pozice{r, c}) {
                return ::testing::AssertionFailure()
                       << "square " << r << "," << c << " holds a piece at " << f->pozice.first
                       << "," << f->pozice.second;
            }
            if (f->typ < 0 || f->typ > 12 || f->jefigura != (f->typ != 0) ||
                (f->typ != 0 && f->barva != (f->typ <= 6))) {
                return ::testing::AssertionFailure() << "bad piece on " << r << "," << c;
            }
            if (f->typ == BILY_KRAL) {
                bily = f;
                ++bilych;
            } else if (f->typ == CERNY_KRAL) {
                cerny = f;
                ++cernych;
            }
        }
    }
    if (bilych != 1 || cernych != 1 || hra.kralbily != bily || hra.kralcerny != cerny) {
        return ::testing::AssertionFailure()
               << "kings: " << bilych << " white, " << cernych << " black, or pointers astray";
    }
    return ::testing::AssertionSuccess();
}

std::string diagram(const Sachovnice& hra) {
    static const char ZNAKY[] = ".PNBRQKpnbrqk";
    std::string s;
    for (int r = 7; r >= 0; --r) {
        for (int c = 0; c < 8; ++c) {
            const int typ = hra.pole[r][c]->typ;
            s += typ >= 0 && typ <= 12 ? ZNAKY[typ] : '?';
        }
        s += '\n';
    }
    return s;
}

Snimek sejmi(const Sachovnice& hra) {
    Snimek s{};
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            s.typ[r][c] = hra.pole[r][c]->typ;
            s.nepohnuta[r][c] = hra.pole[r][c]->nepohnuta;
        }
    }
    s.natahu = hra.natahu;
    return s;
}

void obnov(Sachovnice& hra, const Snimek& s) {
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            delete hra.pole[r][c];
            Figura* f = novafigura(s.typ[r][c], {r, c});
            f->nepohnuta = s.nepohnuta[r][c];
            hra.pole[r][c] = f;
            if (f->typ == BILY_KRAL) {
                hra.kralbily = f;
            } else if (f->typ == CERNY_KRAL) {
                hra.kralcerny = f;
            }
        }
    }
    hra.natahu = s.natahu;
    hra.stav = 0;
}

void postavfen(Sachovnice& hra, const std::string& deska, bool bily, const std::string& prava) {
    static const std::string ZNAKY = "PNBRQKpnbrqk";
    Snimek s{};
    int r = 7, c = 0;
    for (const char z : deska) {
        if (z == '/') {
            --r;
            c = 0;
        } else if (z >= '1' && z <= '8') {
            c += z - '0';
        } else {
            s.typ[r][c++] = static_cast<int>(ZNAKY.find(z)) + 1;
        }
    }
    // Castling rights: the king and the rook in that corner have not moved.
    for (const char z : prava) {
        const int rada = z == 'K' || z == 'Q' ? 0 : 7;
        if (z == 'K' || z == 'Q' || z == 'k' || z == 'q') {
            s.nepohnuta[rada][4] = true;
            s.nepohnuta[rada][z == 'K' || z == 'k' ? 7 : 0] = true;
        }
    }
    s.natahu = bily;
    obnov(hra, s);
}

void kazdytah(Sachovnice& hra, const std::function<void(Sachovnice&)>& potahu,
              bool vsechnypromeny) {
    const Snimek pozice = sejmi(hra);
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            const Figura* f = hra.pole[r][c];
            if (!f->jefigura || f->barva != hra.natahu) {
                continue;
            }
            const bool pesec = druh(f->typ) == BILY_PESEC;
            for (int cil = 0; cil < 64; ++cil) {
                const bool promena = pesec && cil / 8 == (hra.natahu ? 7 : 0);
                for (int volba = promena && vsechnypromeny ? 0 : 3; volba < 4; ++volba) {
                    vyprazdnifrontu();
                    if (promena) {
                        stiskni(102 + 17 + 34 * volba, 367); // knight, bishop, rook, queen
                    }
                    if (!klikni(hra, r, c)) {
                        ADD_FAILURE() << "own piece on " << r << "," << c << " not selected";
                        return;
                    }
                    if (klikni(hra, cil / 8, cil % 8)) {
                        potahu(hra);
                        obnov(hra, pozice);
                    } else {
                        hra.stav = 0; // a refused click leaves the position as it was
                    }
                }
            }
        }
    }
    vyprazdnifrontu();
}

SDL_Rect stredpole(const Sachovnice& hra, int radek, int sloupec) {
    SDL_Rect r{};
    r.x = static_cast<Sint16>(34 * (8 - sloupec) + 17);
    r.y = static_cast<Sint16>((hra.otoceno ? 34 * (radek + 1) : 34 * (8 - radek)) + 17);
    return r;
}

bool klikni(Sachovnice& hra, int radek, int sloupec) {
    const SDL_Rect s = stredpole(hra, radek, sloupec);
    return hra.kliknuti(s.x / 34 - 1, s.y / 34 - 1);
}

SDL_Event mys(int x, int y, Uint8 tlacitko, Uint8 typ) {
    SDL_Event e{};
    e.type = e.button.type = typ;
    e.button.button = tlacitko;
    e.button.state = typ == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.x = static_cast<Uint16>(x);
    e.button.y = static_cast<Uint16>(y);
    return e;
}

void stiskni(int x, int y, Uint8 tlacitko) {
    SDL_Event e = mys(x, y, tlacitko);
    SDL_PushEvent(&e);
    e = mys(x, y, tlacitko, SDL_MOUSEBUTTONUP);
    SDL_PushEvent(&e);
}

void vyprazdnifrontu() {
    SDL_Event e;
    while (SDL_PollEvent(&e) == 1) {
    }
}

DocasnyAdresar::DocasnyAdresar(bool sknihovnou) {
    obrazovkatestu();
    char vzor[] = "/tmp/sachy-testXXXXXX";
    cesta_ = mkdtemp(vzor);
    puvodni_ = fs::current_path().string();
    for (const char* jmeno : SOUBORY_OBRAZKU) {
        fs::create_symlink(fs::path(SACHY_ASSETS) / jmeno, fs::path(cesta_) / jmeno);
    }
    fs::create_symlink(fs::path(SACHY_ASSETS) / "free.ttf", fs::path(cesta_) / "free.ttf");
    if (sknihovnou) {
        fs::create_symlink(fs::path(SACHY_ASSETS) / "a.txt", fs::path(cesta_) / "a.txt");
    }
    if (chdir(cesta_.c_str()) != 0) {
        ADD_FAILURE() << "cannot enter " << cesta_;
    }
}

DocasnyAdresar::~DocasnyAdresar() {
    if (chdir(puvodni_.c_str()) != 0) {
        ADD_FAILURE() << "cannot return to " << puvodni_;
    }
    std::error_code chyba;
    fs::remove_all(cesta_, chyba);
}

void DocasnyAdresar::zapis(const std::string& jmeno, const std::string& obsah) const {
    std::ofstream(fs::path(cesta_) / jmeno, std::ios::binary) << obsah;
}

void DocasnyAdresar::smaz(const std::string& jmeno) const {
    fs::remove(fs::path(cesta_) / jmeno);
}
