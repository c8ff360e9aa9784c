// The shell's handling of single events: the board, the three buttons, the
// mode of play and the window-close request.
#include "app/shell.h"
#include "podpora.h"

#include <algorithm>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

Uint32 barva(Uint8 r, Uint8 g, Uint8 b) {
    return SDL_MapRGB(obrazovka->format, r, g, b) & maska(obrazovka);
}

// Fills the window with a colour that nothing draws and returns it.
Uint32 vyplnznackou() {
    SDL_FillRect(obrazovka, nullptr, SDL_MapRGB(obrazovka->format, 1, 2, 3));
    return barva(1, 2, 3);
}

bool uvnitr(const SDL_Rect& r, int x, int y) {
    return x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
}

const SDL_Rect SACHOVNICE{34, 34, 272, 272};

// How many pixels of the rectangle have the colour.
int pocet(const SDL_Rect& r, Uint32 c) {
    int n = 0;
    for (int y = r.y; y < r.y + r.h; ++y) {
        for (int x = r.x; x < r.x + r.w; ++x) {
            n += pixel(obrazovka, x, y) == c;
        }
    }
    return n;
}

SDL_Event udalost(Uint8 typ) {
    SDL_Event e{};
    e.type = typ;
    if (typ == SDL_KEYDOWN) {
        e.key.type = typ;
        e.key.state = SDL_PRESSED;
        e.key.keysym.sym = SDLK_SPACE;
    } else if (typ == SDL_MOUSEMOTION) {
        e.motion.type = typ;
        e.motion.x = 100;
        e.motion.y = 100;
    }
    return e;
}

class Shell : public ::testing::Test {
  protected:
    void SetUp() override {
        obrazovka = obrazovkatestu();
        ASSERT_NE(obrazovka, nullptr);
        ASSERT_EQ(chdir(SACHY_ASSETS), 0);
        vyprazdnifrontu();
        spust(app);
        ASSERT_NE(app.hra, nullptr);
    }

    void stisk(int x, int y, Uint8 tlacitko = SDL_BUTTON_LEFT) {
        zpracujudalost(app, mys(x, y, tlacitko));
    }
    // A press in the middle of grid square (radek, sloupec).
    void stiskpole(int radek, int sloupec) {
        const SDL_Rect s = stredpole(*app.hra, radek, sloupec);
        stisk(s.x, s.y);
    }

    // The board and all three buttons have been drawn over the sentinel colour.
    ::testing::AssertionResult prekresleno(Uint32 znacka) const {
        for (const SDL_Rect& r : {SACHOVNICE, app.otoctlac, app.newhraci, app.newpc}) {
            const int n = pocet(r, znacka);
            if (n != 0) {
                return ::testing::AssertionFailure()
                       << n << " pixels of (" << r.x << "," << r.y << ") not redrawn";
            }
        }
        return ::testing::AssertionSuccess();
    }

    Aplikace app;
};

TEST_F(Shell, BoardCornersReachMoveInputWithAnyButton) {
    // Screen square (0, 0) is the top-left; with the start orientation it is
    // grid square (0, 7), with Black to move the bottom row holds Black's pieces.
    struct Roh {
        int x, y;
        bool natahu;
        int radek, sloupec;
    };
    const Roh ROHY[] = {
        {34, 34, true, 0, 7},
        {305, 34, true, 0, 0},
        {305, 305, false, 7, 0},
        {34, 305, false, 7, 7},
    };
    for (Uint8 tlacitko : {SDL_BUTTON_LEFT, SDL_BUTTON_MIDDLE, SDL_BUTTON_RIGHT}) {
        for (const Roh& r : ROHY) {
            SCOPED_TRACE(::testing::Message()
                         << "press at (" << r.x << "," << r.y << ") button " << int(tlacitko));
            spust(app);
            app.hra->natahu = r.natahu;
            const Uint32 znacka = vyplnznackou();
            stisk(r.x, r.y, tlacitko);
            EXPECT_EQ(app.hra->stav, 1);
            EXPECT_EQ(app.hra->vybrana, app.hra->pole[r.radek][r.sloupec]);
            EXPECT_TRUE(prekresleno(znacka));
        }
    }
}

TEST_F(Shell, RotateButtonFlipsTheBoardUpToItsInclusiveEdges) {
    for (Uint8 tlacitko : {SDL_BUTTON_LEFT, SDL_BUTTON_MIDDLE, SDL_BUTTON_RIGHT}) {
        for (const auto& [x, y] : {std::pair{400, 50}, {500, 80}, {450, 65}}) {
            SCOPED_TRACE(::testing::Message()
                         << "press at (" << x << "," << y << ") button " << int(tlacitko));
            const bool pred = app.hra->otoceno;
            const Uint32 znacka = vyplnznackou();
            stisk(x, y, tlacitko);
            EXPECT_EQ(app.hra->otoceno, !pred);
            EXPECT_TRUE(prekresleno(znacka));
        }
    }
    EXPECT_FALSE(app.jedenhrac); // rotating keeps the mode
}

TEST_F(Shell, NewGameButtonsStartAFreshGameInTheirMode) {
    struct Tlacitko {
        int x, y;
        bool jedenhrac;
    };
    const Tlacitko TABULKA[] = {
        {400, 100, false}, {550, 130, false}, {475, 115, false},
        {400, 150, true},  {550, 180, true},  {475, 165, true},
    };
    for (const Tlacitko& t : TABULKA) {
        SCOPED_TRACE(::testing::Message() << "press at (" << t.x << "," << t.y << ")");
        // Leave the old game changed in every way a new one must undo.
        app.jedenhrac = false;
        stiskpole(1, 4);
        stiskpole(3, 4);
        ASSERT_FALSE(app.hra->natahu) << "e2e4 was not played";
        stiskpole(6, 4);
        ASSERT_EQ(app.hra->stav, 1);
        stisk(450, 65);
        ASSERT_FALSE(app.hra->otoceno);
        app.jedenhrac = !t.jedenhrac;

        const Uint32 znacka = vyplnznackou();
        stisk(t.x, t.y);

        EXPECT_EQ(app.jedenhrac, t.jedenhrac);
        EXPECT_EQ(diagram(*app.hra), VYCHOZI);
        EXPECT_TRUE(app.hra->natahu); // the human moves first in either mode
        EXPECT_EQ(app.hra->stav, 0);
        EXPECT_TRUE(app.hra->otoceno);
        EXPECT_EQ(app.hra->uzel, 0);
        EXPECT_TRUE(invarianty(*app.hra));
        EXPECT_TRUE(prekresleno(znacka));
        // White's back rank is at the top again: the white king on (0, 4).
        EXPECT_NE(pixel(obrazovka, 136 + 17, 34 + 17), pixel(obrazovka, 136 + 17, 272 + 17));
    }
}

TEST_F(Shell, OtherEventsAndPressesChangeNothingAndDrawNothing) {
    std::vector<std::pair<std::string, SDL_Event>> TABULKA = {
        {"(306, 100)", mys(306, 100)},
        {"(100, 306)", mys(100, 306)},
        {"(33, 100)", mys(33, 100)},
        {"(100, 33)", mys(100, 33)},
        {"(501, 80)", mys(501, 80)},
        {"(450, 81)", mys(450, 81)},
        {"(399, 60)", mys(399, 60)},
        {"(550, 131)", mys(550, 131)},
        {"(551, 110)", mys(551, 110)},
        {"(550, 181)", mys(550, 181)},
        {"(399, 165)", mys(399, 165)},
        {"release on the board", mys(150, 150, SDL_BUTTON_LEFT, SDL_MOUSEBUTTONUP)},
        {"release on a button", mys(450, 165, SDL_BUTTON_LEFT, SDL_MOUSEBUTTONUP)},
        {"key press", udalost(SDL_KEYDOWN)},
        {"mouse motion", udalost(SDL_MOUSEMOTION)},
    };
    for (Uint8 kolecko : {SDL_BUTTON_WHEELUP, SDL_BUTTON_WHEELDOWN}) {
        const std::string jmeno = "wheel " + std::to_string(kolecko);
        TABULKA.push_back({jmeno + " on the board", mys(153, 153, kolecko)});
        TABULKA.push_back({jmeno + " on rotate", mys(450, 65, kolecko)});
        TABULKA.push_back({jmeno + " on two players", mys(450, 115, kolecko)});
        TABULKA.push_back({jmeno + " on one player", mys(450, 165, kolecko)});
    }

    stiskpole(1, 4); // e2 selected: a new game or a board click would undo it
    ASSERT_EQ(app.hra->stav, 1);
    Figura* const vybrana = app.hra->vybrana;
    for (const auto& [jmeno, e] : TABULKA) {
        SCOPED_TRACE(jmeno);
        const Uint32 znacka = vyplnznackou();
        zpracujudalost(app, e);
        EXPECT_EQ(app.hra->stav, 1);
        EXPECT_EQ(app.hra->vybrana, vybrana);
        EXPECT_TRUE(app.hra->otoceno);
        EXPECT_TRUE(app.hra->natahu);
        EXPECT_FALSE(app.jedenhrac);
        EXPECT_FALSE(app.konec);
        EXPECT_EQ(pocet(SDL_Rect{0, 0, 800, 600}, znacka), 800 * 600);
    }
}

TEST_F(Shell, WindowCloseEndsTheLoop) {
    zpracujudalost(app, udalost(SDL_QUIT));
    EXPECT_TRUE(app.konec);
}

TEST_F(Shell, ComputerRepliesOnlyInTheOnePlayerGame) {
    for (bool jedenhrac : {false, true}) {
        SCOPED_TRACE(jedenhrac ? "one player" : "two players");
        stisk(450, jedenhrac ? 165 : 115);
        ASSERT_EQ(app.jedenhrac, jedenhrac);
        const std::string pred = diagram(*app.hra);
        stiskpole(1, 4);
        stiskpole(3, 4);
        EXPECT_EQ(app.hra->pole[3][4]->typ, BILY_PESEC);
        EXPECT_EQ(app.hra->natahu, jedenhrac);
        EXPECT_EQ(app.hra->stav, 0);
        // Black's half of the board (rows 4 to 7, the first four lines).
        const bool cernytahl = diagram(*app.hra).substr(0, 36) != pred.substr(0, 36);
        EXPECT_EQ(cernytahl, jedenhrac);
        EXPECT_TRUE(invarianty(*app.hra));
    }
}

TEST_F(Shell, ButtonsAreWhiteWithBlackCaptionsInsideThem) {
    const Uint32 znacka = vyplnznackou();
    vykreslitlacitka(app);
    const Uint32 bila = barva(255, 255, 255);
    const Uint32 cerna = barva(0, 0, 0);
    for (const SDL_Rect& r : {app.otoctlac, app.newhraci, app.newpc}) {
        SCOPED_TRACE(::testing::Message() << "button at (" << r.x << "," << r.y << ")");
        const int bilych = pocet(r, bila);
        const int cernych = pocet(r, cerna);
        EXPECT_EQ(bilych + cernych, r.w * r.h);
        EXPECT_GT(cernych, 20);
    }
    // "Otocit" starts 30 pixels into its button.
    EXPECT_EQ(pocet(SDL_Rect{400, 50, 30, 30}, bila), 30 * 30);
    // No caption runs past its button: everything else still has the sentinel colour.
    int mimo = 0;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            if (!uvnitr(app.otoctlac, x, y) && !uvnitr(app.newhraci, x, y) &&
                !uvnitr(app.newpc, x, y)) {
                mimo += pixel(obrazovka, x, y) != znacka;
            }
        }
    }
    EXPECT_EQ(mimo, 0);
}

TEST(ShellBezPisma, ButtonsAreDrawnBlankAndTheMissingFontIsReported) {
    obrazovka = obrazovkatestu();
    ASSERT_NE(obrazovka, nullptr);
    vyprazdnifrontu();
    DocasnyAdresar adresar;
    adresar.smaz("free.ttf");
    pismo.reset();

    ::testing::internal::CaptureStderr();
    const Uint32 znacka = vyplnznackou();
    Aplikace app;
    spust(app);
    zpracujudalost(app, mys(450, 65));  // rotate
    zpracujudalost(app, mys(450, 165)); // a new game
    zpracujudalost(app, mys(153, 85));  // select a pawn
    const std::string chyby = ::testing::internal::GetCapturedStderr();

    EXPECT_EQ(pismo, nullptr);
    // One message, one line, naming the file.
    EXPECT_NE(chyby.find("free.ttf"), std::string::npos) << chyby;
    EXPECT_EQ(std::count(chyby.begin(), chyby.end(), '\n'), 1) << chyby;

    EXPECT_EQ(app.hra->stav, 1);
    EXPECT_TRUE(app.jedenhrac);
    EXPECT_EQ(pocet(SACHOVNICE, znacka), 0);
    for (const SDL_Rect& r : {app.otoctlac, app.newhraci, app.newpc}) {
        EXPECT_EQ(pocet(r, barva(255, 255, 255)), r.w * r.h) << r.x << "," << r.y;
    }
    app.hra.reset();
    pismo.reset(); // the next shell opens the font again from the assets
}

} // namespace
