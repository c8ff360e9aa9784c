// Drawing the board, checked pixel by pixel against the bitmap files.
#include "podpora.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Fills the window with a colour no bitmap uses and returns it.
Uint32 vyplnznackou(SDL_Surface* okno) {
    const Uint32 znacka = SDL_MapRGB(okno->format, 1, 2, 3);
    SDL_FillRect(okno, nullptr, znacka);
    return znacka & maska(okno);
}

// The file that shows a piece of this type code on a dark or light square.
std::string soubor(int typ, bool tmave) {
    const char ctverec = tmave ? 'b' : 'w';
    if (typ == PRAZDNO) {
        return std::string(1, ctverec) + ".bmp";
    }
    const char barva = typ <= BILY_KRAL ? 'w' : 'b';
    const char figura = "pnbrqk"[(typ - 1) % 6];
    return std::string{barva, figura, ctverec} + ".bmp";
}

bool tmave(int radek, int sloupec) {
    return (radek + sloupec) % 2 == 0;
}

SDL_Rect roh(int radek, int sloupec, bool otoceno) {
    SDL_Rect r{};
    r.x = static_cast<Sint16>(34 * (8 - sloupec));
    r.y = static_cast<Sint16>(otoceno ? 34 * (radek + 1) : 34 * (8 - radek));
    return r;
}

// The 34 x 34 block at (x, y) still holds nothing but the colour `znacka`.
::testing::AssertionResult nedotceno(SDL_Surface* okno, int x, int y, Uint32 znacka) {
    for (int py = 0; py < 34; ++py) {
        for (int px = 0; px < 34; ++px) {
            if (pixel(okno, x + px, y + py) != znacka) {
                return ::testing::AssertionFailure()
                       << "pixel (" << x + px << "," << y + py << ") was drawn";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

std::vector<Uint32> snimek(const SDL_Surface* okno) {
    std::vector<Uint32> pixely;
    for (int y = 0; y < okno->h; ++y) {
        for (int x = 0; x < okno->w; ++x) {
            pixely.push_back(pixel(okno, x, y));
        }
    }
    return pixely;
}

// Every square with every type code on it, each code on both square colours.
void vsechnytypy(Sachovnice& hra) {
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            delete hra.pole[r][c];
            hra.pole[r][c] = novafigura((r * 8 + c) % 13, {r, c});
        }
    }
    // Drawing never looks at the kings; these are the first of several.
    hra.kralbily = hra.pole[0][6];
    hra.kralcerny = hra.pole[1][4];
}

class Kresleni : public ::testing::Test {
  protected:
    void SetUp() override {
        hra = novahra();
        okno = obrazovkatestu();
        ASSERT_NE(okno, nullptr);
        ASSERT_EQ(okno->format->BytesPerPixel, 4);
    }
    std::unique_ptr<Sachovnice> hra;
    SDL_Surface* okno = nullptr;
};

TEST_F(Kresleni, NewGameAndRotationPutTheNamedBitmapsAtTheirCorners) {
    struct Ocekavani {
        bool otoceno;
        int x, y;
        const char* soubor;
    };
    const Ocekavani TABULKA[] = {
        {true, 272, 34, "wrb.bmp"},   // (0, 0)
        {true, 136, 34, "wkb.bmp"},   // (0, 4)
        {true, 136, 272, "bkw.bmp"},  // (7, 4)
        {true, 170, 136, "b.bmp"},    // (3, 3)
        {true, 136, 136, "w.bmp"},    // (3, 4)
        {false, 272, 272, "wrb.bmp"}, // (0, 0)
        {false, 34, 34, "brb.bmp"},   // (7, 7)
        {false, 136, 34, "bkw.bmp"},  // (7, 4)
    };
    hra->vykresli();
    for (const Ocekavani& o : TABULKA) {
        if (o.otoceno != hra->otoceno) {
            hra->otoc();
            ASSERT_EQ(hra->otoceno, o.otoceno);
        }
        EXPECT_TRUE(ukazuje(okno, o.x, o.y, o.soubor)) << "otoceno " << o.otoceno;
    }
}

TEST_F(Kresleni, EverySquareShowsItsTypeOnItsSquareColourInBothOrientations) {
    for (bool vsechny : {false, true}) {
        if (vsechny) {
            vsechnytypy(*hra);
        }
        for (bool otoceno : {true, false}) {
            hra->otoceno = otoceno;
            hra->vykresli();
            for (int r = 0; r < 8; ++r) {
                for (int c = 0; c < 8; ++c) {
                    const SDL_Rect kde = roh(r, c, otoceno);
                    EXPECT_TRUE(
                        ukazuje(okno, kde.x, kde.y, soubor(hra->pole[r][c]->typ, tmave(r, c))))
                        << "square (" << r << "," << c << "), otoceno " << otoceno
                        << (vsechny ? ", every type" : ", new game");
                }
            }
        }
    }
}

TEST_F(Kresleni, RotatingTwiceRestoresThePicture) {
    hra->vykresli();
    const std::vector<Uint32> puvodni = snimek(okno);
    hra->otoc();
    EXPECT_FALSE(hra->otoceno);
    EXPECT_NE(snimek(okno), puvodni);
    hra->otoc();
    EXPECT_TRUE(hra->otoceno);
    EXPECT_EQ(snimek(okno), puvodni);
}

TEST_F(Kresleni, NothingOutsideTheSquaresIsTouched) {
    for (bool otoceno : {true, false}) {
        const Uint32 znacka = vyplnznackou(okno);
        hra->otoceno = otoceno;
        hra->vykresli();
        int mimo = 0;
        int dotcenych = 0;
        for (int y = 0; y < okno->h; ++y) {
            for (int x = 0; x < okno->w; ++x) {
                const bool nasachovnici = x >= 34 && x <= 305 && y >= 34 && y <= 305;
                if (!nasachovnici) {
                    ++mimo;
                    dotcenych += pixel(okno, x, y) != znacka;
                }
            }
        }
        EXPECT_EQ(mimo, 800 * 600 - 272 * 272);
        EXPECT_EQ(dotcenych, 0) << "otoceno " << otoceno;
        // The rows and columns right beside the board, spelled out.
        for (int i = 33; i <= 306; ++i) {
            EXPECT_EQ(pixel(okno, i, 33), znacka) << i;
            EXPECT_EQ(pixel(okno, i, 306), znacka) << i;
            EXPECT_EQ(pixel(okno, 33, i), znacka) << i;
            EXPECT_EQ(pixel(okno, 306, i), znacka) << i;
        }
    }
}

TEST_F(Kresleni, DrawingChangesNoGameState) {
    ASSERT_TRUE(klikni(*hra, 1, 4)); // a pawn is selected
    hra->natahu = false;
    hra->otoceno = false;
    const Mrizka pole = hra->pole;
    const std::string pred = diagram(*hra);
    Figura* const vybrana = hra->vybrana;

    hra->vykresli();

    EXPECT_EQ(hra->pole, pole);
    EXPECT_EQ(diagram(*hra), pred);
    EXPECT_EQ(hra->stav, 1);
    EXPECT_EQ(hra->vybrana, vybrana);
    EXPECT_FALSE(hra->natahu);
    EXPECT_FALSE(hra->otoceno);
    EXPECT_TRUE(invarianty(*hra));
}

TEST_F(Kresleni, MissingBitmapsLeaveTheirSquaresAsTheyWere) {
    std::vector<std::string> vsechny(SOUBORY_OBRAZKU.begin(), SOUBORY_OBRAZKU.end());
    const std::vector<std::vector<std::string>> CHYBI = {{"wrb.bmp", "b.bmp", "bkw.bmp"}, vsechny};
    for (const auto& chybi : CHYBI) {
        SCOPED_TRACE(std::to_string(chybi.size()) + " bitmaps missing");
        DocasnyAdresar adresar;
        for (const std::string& jmeno : chybi) {
            adresar.smaz(jmeno);
        }
        const auto chybejici = [&](const std::string& jmeno) {
            return std::find(chybi.begin(), chybi.end(), jmeno) != chybi.end();
        };

        Sachovnice bez(okno);
        EXPECT_TRUE(invarianty(bez));
        EXPECT_EQ(diagram(bez), VYCHOZI);
        for (int i = 0; i < POCET_OBRAZKU; ++i) {
            EXPECT_EQ(bez.obrazky[i] == nullptr, chybejici(SOUBORY_OBRAZKU[i]))
                << SOUBORY_OBRAZKU[i];
        }

        const Uint32 znacka = vyplnznackou(okno);
        bez.vykresli();
        for (int r = 0; r < 8; ++r) {
            for (int c = 0; c < 8; ++c) {
                const std::string jmeno = soubor(bez.pole[r][c]->typ, tmave(r, c));
                const SDL_Rect kde = roh(r, c, true);
                if (chybejici(jmeno)) {
                    EXPECT_TRUE(nedotceno(okno, kde.x, kde.y, znacka)) << jmeno;
                } else {
                    EXPECT_TRUE(ukazuje(okno, kde.x, kde.y, jmeno));
                }
            }
        }
    }
}

TEST_F(Kresleni, ClearingBlacksOutTheWholeWindow) {
    hra->vykresli();
    vyplnznackou(okno);
    hra->smaz();
    const Uint32 cerna = SDL_MapRGB(okno->format, 0, 0, 0) & maska(okno);
    int jinych = 0;
    for (int y = 0; y < okno->h; ++y) {
        for (int x = 0; x < okno->w; ++x) {
            jinych += pixel(okno, x, y) != cerna;
        }
    }
    EXPECT_EQ(jinych, 0);
}

} // namespace
