// What the tests share: the dummy window, games built from the shipped
// assets, positions set up by hand, and the grid's invariants.
#pragma once

#include "model/sachovnice.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

// An 800 x 600 window at 32 bits per pixel on SDL's dummy video driver,
// opened once per process. Also initialises SDL_ttf.
SDL_Surface* obrazovkatestu();

// A new game on the test window, constructed in the directory of the shipped assets.
std::unique_ptr<Sachovnice> novahra();

struct Umisteni {
    int typ;
    int radek;
    int sloupec;
};
// The start position as diagram() writes it.
extern const char* const VYCHOZI;

// The colour bits of a pixel of a 32-bit surface, and of a colour mapped
// into the surface's format, so that the two compare.
Uint32 maska(const SDL_Surface* s);
Uint32 pixel(const SDL_Surface* s, int x, int y);

// A bitmap file of the assets in the test window's pixel format.
Povrch nacti(const std::string& jmeno);
// The 34 x 34 block of the window at (x, y) shows the named bitmap of the assets.
::testing::AssertionResult ukazuje(SDL_Surface* okno, int x, int y, const std::string& jmeno);

// The objects on the grid, row by row: a refusal must leave every one in place.
std::vector<Figura*> objekty(const Sachovnice& hra);

// Replaces the whole grid by these pieces on an otherwise empty board and
// points the king pointers at the kings among them. White is to move.
void postav(Sachovnice& hra, std::initializer_list<Umisteni> figury);

// Every square holds one live piece whose `pozice` is its square, no object
// stands twice, each side has one king and the king pointers point at them.
::testing::AssertionResult invarianty(const Sachovnice& hra);

// The type codes of the grid as 8 strings of row 7 down to row 0, one
// character a square ('.' empty, PNBRQK White, pnbrqk Black).
std::string diagram(const Sachovnice& hra);

// A position by its type codes, unmoved flags and side to move.
struct Snimek {
    int typ[8][8];
    bool nepohnuta[8][8];
    bool natahu;
};
Snimek sejmi(const Sachovnice& hra);
// Rebuilds the position with new pieces; nothing is selected.
void obnov(Sachovnice& hra, const Snimek& snimek);
// Sets up the board part of a FEN record ("rnbqkbnr/pppppppp/8/..."), the
// side to move and the castling rights as FEN letters ("KQkq", "-").
void postavfen(Sachovnice& hra, const std::string& deska, bool bily, const std::string& prava);

// Every legal move of the side to move, found by clicking each own piece and
// then each square; a promotion is tried once for each piece the dialog
// offers, or only as a queen. `potahu` sees the game after each move; the
// position is then rebuilt.
void kazdytah(Sachovnice& hra, const std::function<void(Sachovnice&)>& potahu,
              bool vsechnypromeny = true);

// Screen point of the centre of grid square (radek, sloupec) in the game's orientation.
SDL_Rect stredpole(const Sachovnice& hra, int radek, int sloupec);

// Move input on grid square (radek, sloupec), whatever the orientation.
bool klikni(Sachovnice& hra, int radek, int sloupec);

// A mouse-button event at (x, y): a press unless `typ` says otherwise.
SDL_Event mys(int x, int y, Uint8 tlacitko = SDL_BUTTON_LEFT, Uint8 typ = SDL_MOUSEBUTTONDOWN);
// Queues a mouse press (and its release) at (x, y).
void stiskni(int x, int y, Uint8 tlacitko = SDL_BUTTON_LEFT);
// Empties SDL's event queue.
void vyprazdnifrontu();

// A temporary working directory holding links to the shipped bitmaps and
// font (and a.txt when asked); the previous directory comes back at the end.
class DocasnyAdresar {
  public:
    explicit DocasnyAdresar(bool sknihovnou = false);
    ~DocasnyAdresar();
    DocasnyAdresar(const DocasnyAdresar&) = delete;
    DocasnyAdresar& operator=(const DocasnyAdresar&) = delete;
    const std::string& cesta() const { return cesta_; }
    void zapis(const std::string& jmeno, const std::string& obsah) const;
    void smaz(const std::string& jmeno) const;

  private:
    std::string cesta_;
    std::string puvodni_;
};
