// Whole games through the shell's event handling: seeded random clicks on
// the board and the buttons, and a one-player game played to its end. The
// grid's invariants must hold after every event.
#include "app/shell.h"
#include "podpora.h"

#include <algorithm>
#include <cstdlib>
#include <random>
#include <unistd.h>

namespace {

// Keeps one pick waiting in the queue for a promotion dialog that may open.
void volbapripravena(std::mt19937& nahoda) {
    SDL_PumpEvents();
    SDL_Event e;
    if (SDL_PeepEvents(&e, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) == 0) {
        const int x = 102 + static_cast<int>(nahoda() % 136);
        stiskni(x, 350 + static_cast<int>(nahoda() % 35));
    }
}

long pocetudalosti(long vychozi) {
    const char* z = std::getenv("SACHY_SOAK_EVENTS");
    return z ? std::atol(z) : vychozi;
}

class Hra : public ::testing::Test {
  protected:
    Povrch pamet; // outlives the game drawing on it
    Aplikace app;

    void SetUp() override { hrajna(obrazovkatestu()); }
    void TearDown() override {
        app.hra.reset();
        obrazovka = obrazovkatestu();
        vyprazdnifrontu();
    }

    // Starts the shell drawing on `okno` instead of SDL's window.
    void hrajna(SDL_Surface* okno) {
        obrazovka = okno;
        ASSERT_EQ(chdir(SACHY_ASSETS), 0);
        vyprazdnifrontu();
        spust(app);
    }

    // The press on the centre of grid square (r, c) in the current orientation.
    SDL_Event napoli(int r, int c) const {
        const SDL_Rect s = stredpole(*app.hra, r, c);
        return mys(s.x, s.y);
    }
};

// The soak draws everything, but into memory in the window's format: on
// sdl12-compat every update of the dummy driver's window costs milliseconds,
// which a million events would spend on nothing but the screen.
TEST_F(Hra, RandomClicksKeepTheGridWhole) {
    pamet.reset(SDL_ConvertSurface(obrazovka, obrazovka->format, SDL_SWSURFACE));
    ASSERT_TRUE(pamet);
    app.hra.reset();
    hrajna(pamet.get());
    std::mt19937 nahoda(20261210);
    const long udalosti = pocetudalosti(10000);
    long tahu = 0;
    for (long i = 0; i < udalosti; ++i) {
        volbapripravena(nahoda);
        const unsigned druh = nahoda() % 1000;
        SDL_Event e{};
        if (druh < 3) {
            e = mys(470, 115); // a new two-player game
        } else if (druh < 6) {
            e = mys(470, 165); // a new game against the computer
        } else if (druh < 20) {
            e = mys(450, 65); // rotate
        } else if (druh < 30) {
            e.type = SDL_KEYDOWN;
            e.key.keysym.sym = SDLK_a;
        } else if (druh < 40) {
            e.type = SDL_MOUSEMOTION;
            e.motion.x = static_cast<Uint16>(nahoda() % 800);
            e.motion.y = static_cast<Uint16>(nahoda() % 600);
        } else if (druh < 50) {
            e = mys(static_cast<int>(nahoda() % 800), static_cast<int>(nahoda() % 600),
                    static_cast<Uint8>(1 + nahoda() % 5));
        } else if (app.hra->stav == 0 && druh < 600) {
            // Aim the first click at a piece of the side to move, so games go on.
            std::vector<Pozice> vlastni;
            for (int r = 0; r < 8; ++r) {
                for (int c = 0; c < 8; ++c) {
                    const Figura* f = app.hra->pole[r][c];
                    if (f->jefigura && f->barva == app.hra->natahu) {
                        vlastni.emplace_back(r, c);
                    }
                }
            }
            const Pozice p = vlastni[nahoda() % vlastni.size()];
            e = napoli(p.first, p.second);
        } else if (app.hra->stav == 1 && druh < 800) {
            // Aim the second click near the selected piece, where its moves are.
            const Pozice p = app.hra->vybrana->pozice;
            const int r = std::clamp(p.first + static_cast<int>(nahoda() % 5) - 2, 0, 7);
            const int c = std::clamp(p.second + static_cast<int>(nahoda() % 5) - 2, 0, 7);
            e = napoli(r, c);
        } else {
            e = napoli(static_cast<int>(nahoda() % 8), static_cast<int>(nahoda() % 8));
        }
        const Sachovnice* hra = app.hra.get();
        const std::string pred = diagram(*app.hra);
        zpracujudalost(app, e);
        tahu += hra == app.hra.get() && pred != diagram(*app.hra);
        ASSERT_TRUE(invarianty(*app.hra)) << "after event " << i;
        ASSERT_FALSE(app.konec);
    }
    // The clicks did make moves, not only selections, and the buttons were drawn.
    EXPECT_GT(tahu, udalosti / 50);
    EXPECT_EQ(pixel(pamet.get(), 401, 51), app.bila);
}

TEST_F(Hra, OnePlayerGameToTheEnd) {
    std::mt19937 nahoda(7);
    zpracujudalost(app, mys(470, 165));
    ASSERT_TRUE(app.jedenhrac);
    int pultahu = 0;
    while (pultahu < 200) {
        ASSERT_TRUE(app.hra->natahu) << "the computer must have answered";
        // The human plays a random legal move, found by trying clicks.
        std::vector<std::pair<Pozice, Pozice>> kandidati;
        for (int r = 0; r < 8; ++r) {
            for (int c = 0; c < 8; ++c) {
                const Figura* f = app.hra->pole[r][c];
                if (f->jefigura && f->barva) {
                    for (int i = 0; i < 64; ++i) {
                        kandidati.push_back({{r, c}, {i / 8, i % 8}});
                    }
                }
            }
        }
        std::shuffle(kandidati.begin(), kandidati.end(), nahoda);
        bool tahnul = false;
        const std::string pred = diagram(*app.hra);
        for (const auto& [z, na] : kandidati) {
            volbapripravena(nahoda);
            zpracujudalost(app, napoli(z.first, z.second));
            zpracujudalost(app, napoli(na.first, na.second));
            if (app.hra->stav == 1) {
                zpracujudalost(app, napoli(z.first, z.second)); // not a move
                zpracujudalost(app, mys(34, 34));
                app.hra->stav = 0;
            }
            ASSERT_TRUE(invarianty(*app.hra));
            if (diagram(*app.hra) != pred) {
                tahnul = true;
                break;
            }
        }
        if (!tahnul) {
            break; // White has no legal move
        }
        pultahu += 1;
        if (!app.hra->natahu) {
            break; // Black had no legal move
        }
        pultahu += 1;
    }
    EXPECT_GT(pultahu, 10);
}

} // namespace
