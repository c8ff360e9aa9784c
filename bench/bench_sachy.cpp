// Timings of the computer, the rules, drawing and loading. Runs on SDL's
// dummy video driver unless SDL_VIDEODRIVER names another (x11 under Xvfb).
#include "app/shell.h"
#include "model/sachovnice.h"
#include "view/zobrazeni.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <unistd.h>

namespace {

SDL_Surface* okno() {
    static SDL_Surface* s = [] {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        if (chdir(SACHY_ASSETS) != 0 || SDL_Init(SDL_INIT_VIDEO) < 0) {
            std::abort();
        }
        TTF_Init();
        return SDL_SetVideoMode(800, 600, 32, SDL_HWSURFACE | SDL_DOUBLEBUF);
    }();
    return s;
}

// A position from 8 strings of row 7 down to row 0 ('.' empty, PNBRQK White,
// pnbrqk Black); side to move Black; out of the book.
void postav(Sachovnice& hra, const char* const radky[8]) {
    static const std::string ZNAKY = ".PNBRQKpnbrqk";
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            delete hra.pole[r][c];
            const int typ = static_cast<int>(ZNAKY.find(radky[7 - r][c]));
            hra.pole[r][c] = novafigura(typ, {r, c});
            if (typ == BILY_KRAL) {
                hra.kralbily = hra.pole[r][c];
            } else if (typ == CERNY_KRAL) {
                hra.kralcerny = hra.pole[r][c];
            }
        }
    }
    hra.natahu = false;
    hra.stav = 0;
    hra.knihovna.clear();
}

const char* const ZAHAJENI[8] = {"rnbqkbnr", "pppppppp", "........", "........",
                                 "....P...", "........", "PPPP.PPP", "RNBQKBNR"};
const char* const STREDNI_HRA[8] = {"r.bq.rk.", "pp..bppp", "..n.pn..", "...p....",
                                    "..PP....", "..N.PN..", "PP...PPP", "R..QKB.R"};
const char* const KONCOVKA[8] = {"........", ".....k..", "...p.r..", ".p.Pp...",
                                 "pP..Pp..", "P....P..", "......R.", "......K."};

const char* const* pozice(int i) {
    static const char* const* const VSECHNY[3] = {ZAHAJENI, STREDNI_HRA, KONCOVKA};
    return VSECHNY[i];
}
const char* jmeno(int i) {
    static const char* const JMENA[3] = {"opening", "middlegame", "endgame"};
    return JMENA[i];
}

// The computer's move out of the book: the search and playing the best move.
// The position is rebuilt outside the timing after every call.
void BM_ComputerMove(benchmark::State& stav) {
    Sachovnice hra(okno());
    const auto* p = pozice(static_cast<int>(stav.range(0)));
    stav.SetLabel(jmeno(static_cast<int>(stav.range(0))));
    for (auto _ : stav) {
        stav.PauseTiming();
        postav(hra, p);
        stav.ResumeTiming();
        benchmark::DoNotOptimize(hra.tahpocitace(false, false));
    }
}
BENCHMARK(BM_ComputerMove)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// The same search without playing: no rebuilding, so no timer pauses.
void BM_ComputerSearchOnly(benchmark::State& stav) {
    Sachovnice hra(okno());
    postav(hra, pozice(static_cast<int>(stav.range(0))));
    stav.SetLabel(jmeno(static_cast<int>(stav.range(0))));
    for (auto _ : stav) {
        benchmark::DoNotOptimize(hra.tahpocitace(false, true));
    }
}
BENCHMARK(BM_ComputerSearchOnly)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_Evaluate(benchmark::State& stav) {
    Sachovnice hra(okno());
    postav(hra, STREDNI_HRA);
    for (auto _ : stav) {
        benchmark::DoNotOptimize(hra.ohodnot(false));
    }
}
BENCHMARK(BM_Evaluate);

void BM_CheckTest(benchmark::State& stav) {
    Sachovnice hra(okno());
    postav(hra, STREDNI_HRA);
    for (auto _ : stav) {
        benchmark::DoNotOptimize(hra.nenisach());
    }
}
BENCHMARK(BM_CheckTest);

// Drawing is timed as the player meets it: from the press until the whole
// result is on the screen, the update the game sends before it waits
// included. Between timed runs the benchmark waits as long as a player would
// at least: sdl12-compat puts a part of the window on the screen at once only
// when its last frame is more than 16 ms old, so runs back to back would
// time less work than real clicks cause. The pauses are not timed, so a
// fixed number of runs keeps the benchmark short.
void jakohrac(benchmark::State& stav) {
    stav.PauseTiming();
    SDL_Delay(20);
    stav.ResumeTiming();
}

void popisovladace(benchmark::State& stav) {
    char ovladac[32] = "";
    stav.SetLabel(SDL_VideoDriverName(ovladac, sizeof ovladac));
}

// A press on the centre of grid square (radek, sloupec), handled by the shell.
void stiskni(Aplikace& app, int radek, int sloupec) {
    SDL_Event udalost{};
    udalost.type = SDL_MOUSEBUTTONDOWN;
    udalost.button.button = SDL_BUTTON_LEFT;
    udalost.button.x = static_cast<Uint16>(34 * (8 - sloupec) + 17);
    udalost.button.y =
        static_cast<Uint16>(app.hra->otoceno ? 34 * (radek + 1) + 17 : 34 * (8 - radek) + 17);
    zpracujudalost(app, udalost);
}

// One click that completes a move, with the shell's redraw of board and
// buttons; the game is set back by a second move outside the timing.
void BM_ClickCompletingAMove(benchmark::State& stav) {
    obrazovka = okno();
    Aplikace app;
    spust(app);
    app.hra->knihovna.clear();
    popisovladace(stav);
    for (auto _ : stav) {
        stav.PauseTiming();
        stiskni(app, 0, 1); // the knight of (0, 1)
        ukaznevyrizene();
        SDL_Delay(20);
        stav.ResumeTiming();
        stiskni(app, 2, 2); // to (2, 2)
        ukaznevyrizene();
        stav.PauseTiming();
        app.hra->natahu = true;
        app.hra->kliknuti(5, 2);
        app.hra->kliknuti(6, 0);
        app.hra->natahu = true;
        stav.ResumeTiming();
    }
    app.hra.reset();
}
BENCHMARK(BM_ClickCompletingAMove)->Unit(benchmark::kMillisecond)->Iterations(50);

// A full redraw: the board's 64 squares and the three buttons.
void BM_FullRedraw(benchmark::State& stav) {
    obrazovka = okno();
    Aplikace app;
    spust(app);
    popisovladace(stav);
    for (auto _ : stav) {
        jakohrac(stav);
        app.hra->vykresli();
        vykreslitlacitka(app);
        ukaznevyrizene();
    }
    app.hra.reset();
}
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMillisecond)->Iterations(50);

// The promotion dialog coming up: four pieces and the prompt, until the
// dialog waits; a press on the queen, queued beforehand, ends it at once.
void BM_PromotionPrompt(benchmark::State& stav) {
    obrazovka = okno();
    Aplikace app;
    spust(app);
    popisovladace(stav);
    SDL_Event volba{};
    volba.type = SDL_MOUSEBUTTONDOWN;
    volba.button.button = SDL_BUTTON_LEFT;
    volba.button.x = 210;
    volba.button.y = 360;
    for (auto _ : stav) {
        stav.PauseTiming();
        for (SDL_Event zahozena; SDL_PollEvent(&zahozena) == 1;) {
        }
        SDL_PushEvent(&volba);
        SDL_Delay(20);
        stav.ResumeTiming();
        benchmark::DoNotOptimize(app.hra->promena());
    }
    app.hra.reset();
}
BENCHMARK(BM_PromotionPrompt)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_ConstructGame(benchmark::State& stav) {
    SDL_Surface* s = okno();
    for (auto _ : stav) {
        Sachovnice hra(s);
        benchmark::DoNotOptimize(hra.pole[0][0]);
    }
}
BENCHMARK(BM_ConstructGame)->Unit(benchmark::kMicrosecond);

void BM_LoadShippedBook(benchmark::State& stav) {
    Sachovnice hra(okno());
    for (auto _ : stav) {
        hra.knihovna.clear();
        hra.nactiknihovnu();
    }
    stav.counters["nodes"] = static_cast<double>(hra.knihovna.size());
}
BENCHMARK(BM_LoadShippedBook)->Unit(benchmark::kMicrosecond);

// The computer's reply from the shipped book to each of White's first moves
// that the book answers, played by clicks in a fresh game outside the timing
// (hence a fixed number of runs).
void BM_BookMove(benchmark::State& stav) {
    // (row, column) of each first move's from- and to-square.
    std::vector<std::array<int, 4>> tahy;
    for (int sloupec = 0; sloupec < 8; ++sloupec) {
        tahy.push_back({1, sloupec, 2, sloupec});
        tahy.push_back({1, sloupec, 3, sloupec});
    }
    for (const int sloupec : {1, 6}) {
        tahy.push_back({0, sloupec, 2, sloupec - 1});
        tahy.push_back({0, sloupec, 2, sloupec + 1});
    }
    std::unique_ptr<Sachovnice> hra;
    size_t i = 0;
    int zknihy = 0;
    for (auto _ : stav) {
        stav.PauseTiming();
        hra.reset();
        hra = std::make_unique<Sachovnice>(okno());
        const auto& t = tahy[i++ % tahy.size()];
        // A new game shows row 0 at the top and column 0 on the right.
        hra->kliknuti(7 - t[1], t[0]);
        hra->kliknuti(7 - t[3], t[2]);
        const bool vknihovne = hra->vknihovne();
        stav.ResumeTiming();
        benchmark::DoNotOptimize(hra->tahpocitace(false, false));
        zknihy += vknihovne ? 1 : 0;
    }
    stav.counters["from the book"] = benchmark::Counter(zknihy, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_BookMove)->Unit(benchmark::kMicrosecond)->Iterations(2000);

// 10,000 lines of 10 to 20 moves that share their first few moves the way
// real openings do.
std::string generovanakniha() {
    std::mt19937 nahoda(10000);
    std::ostringstream s;
    for (int radek = 0; radek < 10000; ++radek) {
        const int delka = 10 + static_cast<int>(nahoda() % 11);
        for (int i = 0; i < delka; ++i) {
            // Early moves come from few choices, later ones from many.
            const unsigned vyber = i < 4 ? nahoda() % 4 : nahoda();
            s << static_cast<char>('a' + vyber % 8) << static_cast<char>('1' + vyber / 8 % 8)
              << static_cast<char>('a' + vyber / 64 % 8) << static_cast<char>('1' + vyber / 512 % 8)
              << (i + 1 < delka ? ' ' : '\n');
        }
    }
    return s.str();
}

void BM_LoadGeneratedBook(benchmark::State& stav) {
    Sachovnice hra(okno());
    const std::string text = generovanakniha();
    for (auto _ : stav) {
        hra.knihovna.clear();
        std::istringstream vstup(text);
        hra.nactiknihovnu(vstup);
    }
    stav.counters["nodes"] = static_cast<double>(hra.knihovna.size());
}
BENCHMARK(BM_LoadGeneratedBook)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
