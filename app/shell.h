// The shell: start-up, the window, the three buttons and the main event loop.
#pragma once

#include "model/sachovnice.h"

#include <memory>

// The window surface and the buttons' caption output.
extern SDL_Surface* obrazovka;
extern Pismo pismo;
extern SDL_Color barvatextu;
extern Povrch obraztextu;
extern SDL_Rect obdelniktextu;

struct Aplikace {
    std::unique_ptr<Sachovnice> hra;
    SDL_Rect otoctlac{400, 50, 100, 30};
    SDL_Rect newhraci{400, 100, 150, 30};
    SDL_Rect newpc{400, 150, 150, 30};
    Uint32 bila = 0;
    bool jedenhrac = false; // the current game is against the computer
    bool konec = false;     // the window has been asked to close
};

// The start-up failures, with SDL's error text in place of %s. The window's
// carries one byte outside ASCII: 0xED, an i with an acute accent in Windows-1250.
extern const char ZPRAVA_SDL[];
extern const char ZPRAVA_OKNO[];

// SDL, the window and SDL_ttf; false (with its message written) on failure.
bool inicializace();
// Opens the caption font once; without it the buttons go without captions.
void nastavpismo();
void napis(const char* text, int x, int y);
void vykreslitlacitka(const Aplikace& app);
// The first game, drawn with its buttons; the shell is then ready for events.
void spust(Aplikace& app);
void zpracujudalost(Aplikace& app, const SDL_Event& udalost);
// Waits for events and handles them until the window is closed; the exit status.
int smycka(Aplikace& app);
// Releases the game, the font, SDL_ttf and SDL.
void ukonci(Aplikace& app);
