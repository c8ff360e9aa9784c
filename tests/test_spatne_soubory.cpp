// Missing and damaged files in the working directory: a bitmap, the font and
// the book. The game comes up with the full position and goes on in every
// case: it draws, opens the promotion dialog and plays.
#include "app/shell.h"
#include "podpora.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <ostream>
#include <random>
#include <string>

namespace {

const SDL_Rect VYZVA{34, 320, 766, 26}; // the promotion prompt's strip, above its pieces

std::string asset(const std::string& jmeno) {
    std::ifstream f(std::string(SACHY_ASSETS) + "/" + jmeno, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// Bytes of a fixed pseudo-random sequence.
std::string nahodnebajty(std::size_t pocet) {
    std::mt19937 generator(20240611);
    std::string s;
    while (s.size() < pocet) {
        s += static_cast<char>(generator() & 0xFF);
    }
    return s;
}

Uint32 barva(const SDL_Surface* s, Uint8 r, Uint8 g, Uint8 b) {
    return SDL_MapRGB(s->format, r, g, b) & maska(s);
}

// Fills the window with a colour that nothing draws and returns it.
Uint32 vyplnznackou(SDL_Surface* okno) {
    SDL_FillRect(okno, nullptr, SDL_MapRGB(okno->format, 1, 2, 3));
    return barva(okno, 1, 2, 3);
}

int pocet(const SDL_Surface* okno, const SDL_Rect& r, Uint32 c) {
    int n = 0;
    for (int y = r.y; y < r.y + r.h; ++y) {
        for (int x = r.x; x < r.x + r.w; ++x) {
            n += pixel(okno, x, y) == c;
        }
    }
    return n;
}

enum class Obsah { CHYBI, PRAZDNY, PULKA, ZACATEK, TEXT, NAHODNY, JINAVELIKOST };
enum class Stavpisma { OTEVRENE, NEOTEVRENE, JAKEKOLI };
// Our book; none at all; one of unreadable moves, which the first move leaves.
enum class Kniha { NASE, ZADNA, NESMYSLY };

struct Pripad {
    const char* nazev;
    const char* soubor;
    Obsah obsah;
    int sirka = 34; // of the file's bitmap; 0 when it cannot be loaded
    Stavpisma pismo = Stavpisma::OTEVRENE;
    Kniha kniha = Kniha::NASE;
};

void PrintTo(const Pripad& p, std::ostream* os) {
    *os << p.nazev;
}

// The directory links its files to the assets: the link goes before anything is written.
void nahrad(const DocasnyAdresar& adresar, const Pripad& p) {
    const std::string jmeno = p.soubor;
    adresar.smaz(jmeno);
    switch (p.obsah) {
    case Obsah::CHYBI:
        return;
    case Obsah::PRAZDNY:
        adresar.zapis(jmeno, "");
        return;
    case Obsah::PULKA: {
        const std::string cely = asset(jmeno);
        adresar.zapis(jmeno, cely.substr(0, cely.size() / 2));
        return;
    }
    case Obsah::ZACATEK:
        adresar.zapis(jmeno, asset(jmeno).substr(0, 1024));
        return;
    case Obsah::TEXT:
        adresar.zapis(jmeno, "tohle neni obrazek\n");
        return;
    case Obsah::NAHODNY:
        adresar.zapis(jmeno, nahodnebajty(4096));
        return;
    case Obsah::JINAVELIKOST: {
        // A valid bitmap of `sirka` pixels square, all magenta.
        SDL_Surface* okno = obrazovkatestu();
        const Povrch bmp(SDL_CreateRGBSurface(SDL_SWSURFACE, p.sirka, p.sirka, 32,
                                              okno->format->Rmask, okno->format->Gmask,
                                              okno->format->Bmask, 0));
        ASSERT_NE(bmp, nullptr);
        SDL_FillRect(bmp.get(), nullptr, SDL_MapRGB(bmp->format, 255, 0, 255));
        ASSERT_EQ(SDL_SaveBMP(bmp.get(), (adresar.cesta() + "/" + jmeno).c_str()), 0);
        return;
    }
    }
}

class SpatnySoubor : public ::testing::TestWithParam<Pripad> {};

TEST_P(SpatnySoubor, GameComesUpWholeDrawsAndPlays) {
    const Pripad& p = GetParam();
    SDL_Surface* okno = obrazovkatestu();
    ASSERT_NE(okno, nullptr);
    vyprazdnifrontu();
    DocasnyAdresar adresar(true);
    ASSERT_NO_FATAL_FAILURE(nahrad(adresar, p));
    Sachovnice hra(okno);

    EXPECT_TRUE(invarianty(hra));
    EXPECT_EQ(diagram(hra), VYCHOZI);
    EXPECT_EQ(hra.knihovna.empty(), p.kniha == Kniha::ZADNA);

    const SDL_Surface* jeho = nullptr; // the bitmap of the replaced file
    for (int i = 0; i < POCET_OBRAZKU; ++i) {
        const SDL_Surface* s = hra.obrazky[i].get();
        if (p.soubor != std::string(SOUBORY_OBRAZKU[i])) {
            EXPECT_NE(s, nullptr) << SOUBORY_OBRAZKU[i];
        } else if (p.sirka == 0) {
            EXPECT_EQ(s, nullptr);
        } else {
            ASSERT_NE(s, nullptr);
            EXPECT_EQ(s->w, p.sirka);
            EXPECT_EQ(s->h, p.sirka);
            jeho = s;
        }
    }

    // Every square is drawn whole, except those of the replaced bitmap: an
    // unreadable one leaves them as they were, one of the wrong size is drawn
    // whole from the square's corner (later squares cover what spills over,
    // except past the board's edge).
    const Uint32 znacka = vyplnznackou(okno);
    const Uint32 purpurova = barva(okno, 255, 0, 255);
    hra.vykresli();
    int jehopoli = 0;
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            SCOPED_TRACE(::testing::Message() << "square " << r << "," << c);
            const SDL_Rect pole{static_cast<Sint16>(34 * (8 - c)),
                                static_cast<Sint16>(34 * (r + 1)), 34, 34};
            const SDL_Surface* obraz = hra.obrazek(hra.pole[r][c]->typ, (r + c) % 2 == 0);
            if (obraz != nullptr && obraz != jeho) {
                EXPECT_EQ(pocet(okno, pole, znacka), 0);
                continue;
            }
            ++jehopoli;
            const int s = obraz == nullptr ? 0 : p.sirka;
            const int vpoli = std::min(s, 34);
            EXPECT_EQ(
                pocet(okno,
                      {pole.x, pole.y, static_cast<Uint16>(vpoli), static_cast<Uint16>(vpoli)},
                      purpurova),
                vpoli * vpoli);
            EXPECT_EQ(pocet(okno, pole, znacka), 34 * 34 - vpoli * vpoli);
            int presah = 0, purpurovych = 0;
            for (int y = pole.y; y < pole.y + s; ++y) {
                for (int x = pole.x; x < pole.x + s; ++x) {
                    if (x >= 306 || y >= 306) {
                        ++presah;
                        purpurovych += pixel(okno, x, y) == purpurova;
                    }
                }
            }
            EXPECT_EQ(purpurovych, presah);
        }
    }
    if (std::string(p.soubor).find(".bmp") != std::string::npos) {
        EXPECT_GT(jehopoli, 0) << "the replaced bitmap shows on no square";
    }

    // The dialog with a pick waiting; its prompt needs the font.
    vyplnznackou(okno);
    stiskni(212, 360);
    EXPECT_EQ(hra.promena(), BILA_DAMA);
    const int vyzva = VYZVA.w * VYZVA.h - pocet(okno, VYZVA, znacka);
    switch (p.pismo) {
    case Stavpisma::OTEVRENE:
        EXPECT_NE(hra.pismo, nullptr);
        EXPECT_GT(vyzva, 100);
        break;
    case Stavpisma::NEOTEVRENE:
        EXPECT_EQ(hra.pismo, nullptr);
        EXPECT_EQ(vyzva, 0);
        break;
    case Stavpisma::JAKEKOLI:
        break;
    }

    // e2e4, the computer's reply, d2d4.
    vyprazdnifrontu();
    ASSERT_TRUE(klikni(hra, 1, 4));
    ASSERT_TRUE(klikni(hra, 3, 4));
    EXPECT_EQ(hra.vknihovne(), p.kniha == Kniha::NASE);
    EXPECT_EQ(hra.tahpocitace(false, false), 0);
    EXPECT_TRUE(hra.natahu);
    const std::string poodpovedi = diagram(hra);
    EXPECT_NE(poodpovedi.substr(0, 18), "rnbqkbnr\npppppppp\n") << poodpovedi;
    ASSERT_TRUE(klikni(hra, 1, 3));
    ASSERT_TRUE(klikni(hra, 3, 3));
    EXPECT_EQ(hra.pole[3][3]->typ, BILY_PESEC);
    EXPECT_EQ(hra.pole[3][4]->typ, BILY_PESEC);
    EXPECT_FALSE(hra.natahu);
    hra.vykresli();
    EXPECT_TRUE(invarianty(hra));
}

const Pripad PRIPADY[] = {
    {"ChybiTmavePole", "b.bmp", Obsah::CHYBI, 0},
    {"PrazdnyBilyPesec", "wpb.bmp", Obsah::PRAZDNY, 0},
    {"PulkaCernehoKrale", "bkw.bmp", Obsah::PULKA, 0},
    {"TextMistoPesce", "wpb.bmp", Obsah::TEXT, 0},
    {"VezVelka40", "wrb.bmp", Obsah::JINAVELIKOST, 40},
    {"VezMala10", "wrb.bmp", Obsah::JINAVELIKOST, 10},
    {"ChybiPismo", "free.ttf", Obsah::CHYBI, 34, Stavpisma::NEOTEVRENE},
    {"PrazdnePismo", "free.ttf", Obsah::PRAZDNY, 34, Stavpisma::NEOTEVRENE},
    {"NahodnePismo", "free.ttf", Obsah::NAHODNY, 34, Stavpisma::NEOTEVRENE},
    {"ZacatekPisma", "free.ttf", Obsah::ZACATEK, 34, Stavpisma::NEOTEVRENE},
    // Whether half a font opens depends on where its tables lie; either way the game goes on.
    {"PulkaPisma", "free.ttf", Obsah::PULKA, 34, Stavpisma::JAKEKOLI},
    {"ChybiKniha", "a.txt", Obsah::CHYBI, 34, Stavpisma::OTEVRENE, Kniha::ZADNA},
    {"PrazdnaKniha", "a.txt", Obsah::PRAZDNY, 34, Stavpisma::OTEVRENE, Kniha::ZADNA},
    {"BinarniKniha", "a.txt", Obsah::NAHODNY, 34, Stavpisma::OTEVRENE, Kniha::NESMYSLY},
};

INSTANTIATE_TEST_SUITE_P(Soubory, SpatnySoubor, ::testing::ValuesIn(PRIPADY),
                         [](const ::testing::TestParamInfo<Pripad>& i) { return i.param.nazev; });

// The shell opens its caption font on its own: an unreadable one gives one
// message and buttons without captions.
TEST(SpatnePismoShellu, OneMessageAndBlankWhiteButtons) {
    const std::string font = asset("free.ttf");
    const std::pair<const char*, std::string> OBSAHY[] = {
        {"zero bytes", ""},
        {"random bytes", nahodnebajty(4096)},
        {"the first kilobyte", font.substr(0, 1024)},
    };
    obrazovka = obrazovkatestu();
    ASSERT_NE(obrazovka, nullptr);
    for (const auto& [popis, obsah] : OBSAHY) {
        SCOPED_TRACE(popis);
        vyprazdnifrontu();
        DocasnyAdresar adresar(true);
        adresar.smaz("free.ttf");
        adresar.zapis("free.ttf", obsah);
        pismo.reset();

        ::testing::internal::CaptureStderr();
        Aplikace app;
        spust(app);
        const std::string chyby = ::testing::internal::GetCapturedStderr();

        EXPECT_EQ(pismo, nullptr);
        EXPECT_NE(chyby.find("free.ttf"), std::string::npos) << chyby;
        EXPECT_EQ(std::count(chyby.begin(), chyby.end(), '\n'), 1) << chyby;
        const Uint32 bila = barva(obrazovka, 255, 255, 255);
        for (const SDL_Rect& r : {app.otoctlac, app.newhraci, app.newpc}) {
            EXPECT_EQ(pocet(obrazovka, r, bila), r.w * r.h) << r.x << "," << r.y;
        }
        EXPECT_TRUE(invarianty(*app.hra));
        app.hra.reset();
        pismo.reset(); // the next shell opens the font again
    }
}

} // namespace
