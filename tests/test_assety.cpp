// The shipped assets: the board bitmaps and the caption font.
#include "podpora.h"

#include <string>
#include <vector>

namespace {

std::string cesta(const std::string& jmeno) {
    return std::string(SACHY_ASSETS) + "/" + jmeno;
}

// A bitmap of the assets converted to the 32-bit window format, or null.
Povrch nacti(const std::string& jmeno) {
    Povrch bmp(SDL_LoadBMP(cesta(jmeno).c_str()));
    if (!bmp) {
        return bmp;
    }
    return Povrch(SDL_ConvertSurface(bmp.get(), obrazovkatestu()->format, SDL_SWSURFACE));
}

std::vector<Uint32> pixely(const SDL_Surface* s) {
    std::vector<Uint32> v;
    for (int y = 0; y < s->h; ++y) {
        for (int x = 0; x < s->w; ++x) {
            v.push_back(pixel(s, x, y));
        }
    }
    return v;
}

TEST(Assety, EveryBitmapLoadsAsASquareAndAllAreDistinct) {
    ASSERT_NE(obrazovkatestu(), nullptr);
    std::vector<std::vector<Uint32>> obsahy;
    for (const char* jmeno : SOUBORY_OBRAZKU) {
        const Povrch bmp = nacti(jmeno);
        ASSERT_NE(bmp, nullptr) << jmeno << ": " << SDL_GetError();
        EXPECT_EQ(bmp->w, 34) << jmeno;
        EXPECT_EQ(bmp->h, 34) << jmeno;
        obsahy.push_back(pixely(bmp.get()));
    }
    for (size_t i = 0; i < obsahy.size(); ++i) {
        for (size_t j = i + 1; j < obsahy.size(); ++j) {
            EXPECT_NE(obsahy[i], obsahy[j])
                << SOUBORY_OBRAZKU[i] << " looks like " << SOUBORY_OBRAZKU[j];
        }
    }
}

// Pieces stand on the square colour their name says, clear of the edges, so
// neighbouring squares join without seams.
TEST(Assety, PiecesLeaveTheEdgesOfTheirSquareColour) {
    ASSERT_NE(obrazovkatestu(), nullptr);
    const Povrch tmave = nacti("b.bmp");
    const Povrch svetle = nacti("w.bmp");
    ASSERT_NE(tmave, nullptr);
    ASSERT_NE(svetle, nullptr);
    EXPECT_NE(pixel(tmave.get(), 0, 0), pixel(svetle.get(), 0, 0));
    for (const std::string jmeno : SOUBORY_OBRAZKU) {
        if (jmeno.size() != 7) {
            continue; // the empty squares themselves
        }
        const Povrch bmp = nacti(jmeno);
        ASSERT_NE(bmp, nullptr) << jmeno;
        const SDL_Surface* pole = jmeno[2] == 'b' ? tmave.get() : svetle.get();
        int jinych = 0;
        for (int i = 0; i < 34; ++i) {
            for (const auto& [x, y] : {std::pair{i, 0}, {i, 33}, {0, i}, {33, i}}) {
                jinych += pixel(bmp.get(), x, y) != pixel(pole, x, y);
            }
        }
        EXPECT_EQ(jinych, 0) << jmeno;
    }
}

TEST(Assety, CaptionsFitTheirButtonsAndThePromptFitsAboveThePieces) {
    ASSERT_NE(obrazovkatestu(), nullptr);
    struct Text {
        const char* text;
        int body;
        int x, y;               // where the text's corner goes
        int pravyokraj, spodek; // the first column and row past its space
    };
    const Text TABULKA[] = {
        {"Otocit", 16, 430, 50, 500, 80},
        {"Nova hra dva hraci", 16, 400, 100, 550, 130},
        {"Nova hra jeden hrac", 16, 400, 150, 550, 180},
        // Between the board's bottom edge and the pieces of the dialog.
        {"Vyberte figurku v kterou se ma pesec promenit:", 14, 34, 320, 800, 350},
    };
    for (const Text& t : TABULKA) {
        const Pismo pismo(TTF_OpenFont(cesta("free.ttf").c_str(), t.body));
        ASSERT_NE(pismo, nullptr) << TTF_GetError();
        const SDL_Color cerna{0, 0, 0, 0};
        const Povrch obraz(TTF_RenderText_Solid(pismo.get(), t.text, cerna));
        ASSERT_NE(obraz, nullptr) << t.text;
        EXPECT_LE(t.x + obraz->w, t.pravyokraj) << t.text << " is " << obraz->w << " px wide";
        EXPECT_LE(t.y + obraz->h, t.spodek) << t.text << " is " << obraz->h << " px high";
    }
}

} // namespace
