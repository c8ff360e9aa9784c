#include "app/shell.h"
#include "app/displej.h"
#include "view/text.h"
#include "view/udalosti.h"
#include "view/zobrazeni.h"

#include <cstdio>
#include <cstdlib>
#include <string>

SDL_Surface* obrazovka = nullptr;
Pismo pismo;
SDL_Color barvatextu{};
Povrch obraztextu;
SDL_Rect obdelniktextu{};

const char ZPRAVA_SDL[] = "Inicializace SDL se nezdarila: %s";
const char ZPRAVA_OKNO[] = "Vytvoren\xED okna se nezdarilo: %s";

namespace {
bool uvnitr(const SDL_Rect& r, int x, int y) {
    return x >= r.x && x <= r.x + r.w && y >= r.y && y <= r.y + r.h;
}

void novahra(Aplikace& app, bool jedenhrac) {
    // The old game goes first, so two games never hold memory at once.
    app.hra.reset();
    app.hra = std::make_unique<Sachovnice>(obrazovka);
    app.jedenhrac = jedenhrac;
    app.hra->vykresli();
    vykreslitlacitka(app);
}
} // namespace

bool inicializace() {
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        std::printf(ZPRAVA_SDL, SDL_GetError());
        return false;
    }
    std::atexit(SDL_Quit);
    const std::string bezokna = duvodbezokna();
    if (!bezokna.empty()) {
        // Quitting first gives a terminal that an ASCII-art driver took back
        // before the message is written to it.
        SDL_Quit();
        std::printf(ZPRAVA_OKNO, bezokna.c_str());
        return false;
    }
    obrazovka = SDL_SetVideoMode(800, 600, 32, SDL_HWSURFACE | SDL_DOUBLEBUF);
    if (obrazovka == nullptr) {
        std::printf(ZPRAVA_OKNO, SDL_GetError());
        return false;
    }
    SDL_WM_SetCaption("SDL Tutorial", "SDL Tutorial");
    if (TTF_Init() == -1) {
        std::fprintf(stderr, "TTF_Init() Failed: %s\n", SDL_GetError());
        SDL_Quit();
        return false;
    }
    return true;
}

void nastavpismo() {
    if (!pismo && !otevripismo(pismo, 16)) {
        std::fprintf(stderr, "Pismo \"free.ttf\" nelze otevrit: %s\n", TTF_GetError());
    }
    barvatextu = SDL_Color{0, 0, 0, 0};
}

void napis(const char* text, int x, int y) {
    vykreslitext(pismo.get(), text, barvatextu, obrazovka, x, y, obdelniktextu, obraztextu);
}

void vykreslitlacitka(const Aplikace& app) {
    if (obrazovka == nullptr) {
        return;
    }
    for (SDL_Rect r : {app.otoctlac, app.newhraci, app.newpc}) {
        SDL_FillRect(obrazovka, &r, app.bila);
        ukazoblast(obrazovka, r);
    }
    napis("Otocit", 430, 50);
    napis("Nova hra dva hraci", 400, 100);
    napis("Nova hra jeden hrac", 400, 150);
}

void spust(Aplikace& app) {
    app.hra = std::make_unique<Sachovnice>(obrazovka);
    app.hra->vykresli();
    app.bila = SDL_MapRGB(obrazovka->format, 255, 255, 255);
    app.konec = false;
    nastavpismo();
    vykreslitlacitka(app);
    app.jedenhrac = false;
}

void zpracujudalost(Aplikace& app, const SDL_Event& udalost) {
    if (udalost.type == SDL_QUIT) {
        app.konec = true;
        return;
    }
    if (udalost.type != SDL_MOUSEBUTTONDOWN || jekolecko(udalost.button.button)) {
        return;
    }
    const int x = udalost.button.x;
    const int y = udalost.button.y;
    if (x >= 34 && x <= 305 && y >= 34 && y <= 305) {
        Sachovnice& hra = *app.hra;
        hra.kliknuti(x / 34 - 1, y / 34 - 1);
        if (hra.stav == 0 && !hra.natahu && app.jedenhrac) {
            hra.tahpocitace(false, false);
        }
        hra.vykresli();
        vykreslitlacitka(app);
    } else if (uvnitr(app.otoctlac, x, y)) {
        app.hra->otoc();
        vykreslitlacitka(app);
    } else if (uvnitr(app.newhraci, x, y)) {
        novahra(app, false);
    } else if (uvnitr(app.newpc, x, y)) {
        novahra(app, true);
    }
}

int smycka(Aplikace& app) {
    SDL_Event udalost;
    while (!app.konec) {
        // Waiting, not polling: an idle game uses no processor time.
        if (!cekejnaudalost(udalost)) {
            return EXIT_FAILURE;
        }
        zpracujudalost(app, udalost);
    }
    return EXIT_SUCCESS;
}

void ukonci(Aplikace& app) {
    // Fonts must be closed before SDL_ttf shuts down.
    app.hra.reset();
    pismo.reset();
    if (TTF_WasInit()) {
        TTF_Quit();
    }
    SDL_Quit();
}
