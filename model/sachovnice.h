// The game object: the whole state of one game and the operations on it.
// The operations live beside their subsystems: drawing and the dialog in
// view/, move tests, check and move input in rules/, the computer in
// engine/, the opening book in book/.
#pragma once

#include "model/figura.h"
#include "model/sdl_zdroje.h"

#include <array>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

constexpr int POCET_OBRAZKU = 26;

// The bitmap files, in the order of `obrazky`.
extern const std::array<const char*, POCET_OBRAZKU> SOUBORY_OBRAZKU;

// How a castling attempt ended (see provedrosadu).
enum class VysledekRosady { VSACHU, NAPADENA, HOTOVA };

class Sachovnice {
  public:
    SDL_Surface* obrazovka;                    // the window surface; not owned
    std::array<Povrch, POCET_OBRAZKU> obrazky; // null where a file failed to load
    SDL_Color barvatextu{};                    // colour of the prompt
    Povrch obraztextu;                         // held only while a text is blitted
    Pismo pismo;                               // "free.ttf" at 14 points, opened once
    SDL_Rect obdelniktextu{};                  // where that text was placed
    Mrizka pole;                               // owns its pieces
    bool otoceno = true;                       // true draws row 0 at the top
    bool natahu = true;                        // side to move, true White
    int stav = 0;                              // 0 nothing selected, 1 a piece selected
    Smery skokykone;
    Smery smerystrelce;
    Smery smeryveze;
    Smery smerydamy;
    Figura* vybrana = nullptr; // meaningful only while stav is 1
    Figura* kralbily = nullptr;
    Figura* kralcerny = nullptr;
    std::vector<std::map<int, int>> knihovna; // the opening book, one map per node
    int uzel = 0;                             // the current book node

    explicit Sachovnice(SDL_Surface* obrazovka);
    // A game whose book has been read already: the book checker replays many
    // lines of one file, each from a new game, and reads the file once.
    Sachovnice(SDL_Surface* obrazovka, std::vector<std::map<int, int>> kniha);
    ~Sachovnice();
    Sachovnice(const Sachovnice&) = delete;
    Sachovnice& operator=(const Sachovnice&) = delete;

    // Drawing (view/)
    void vykresli();
    void otoc();
    void vloz(SDL_Surface* povrch, int x, int y);
    void smaz();
    // The bitmap of a type code on a dark or light square.
    SDL_Surface* obrazek(int typ, bool tmave) const;
    // Shows the whole window, or one part of it; a game without a window
    // draws nowhere.
    void ukaz();
    void ukaz(const SDL_Rect& oblast);

    // The promotion dialog and its text output (view/)
    int promena();
    void vypistext(const char* text, int x, int y);
    void nastavpismo();

    // Rules (rules/)
    bool kliknuti(int sloupec, int radek);
    bool nenisach();
    // Castling of the side to move, on the king's side or the queen's: whether
    // king, rook and the squares between allow it, and carrying it out with a
    // check test before and after each king step.
    bool rosadamozna(bool kralovska);
    VysledekRosady provedrosadu(bool kralovska);
    // Whether that castling is legal now, tried as provedrosadu tries it and
    // taken back: the position stays as it was.
    bool rosadalegalni(bool kralovska);
    // Puts `kdo` on the target square, leaving a new empty square behind, and
    // returns the object that stood there, which the caller now owns.
    Figura* presun(Figura* kdo, Pozice kam);
    // Takes a presun back: `kdo` returns to `odkud` and `puvodni` to its square.
    void vratpresun(Figura* kdo, Pozice odkud, Figura* puvodni);
    // The two objects trade squares and take each other's coordinates.
    void vymen(Pozice a, Pozice b);
    // Whether a pawn stands on its last row there, to be promoted.
    bool napromenu(Pozice kde) const;
    // Replaces a pawn that has reached its last row by a piece of type `typ`.
    void promen(Pozice kde, int typ);
    // Moves `kdo` to `kam` unless that leaves the mover's king attacked; then
    // the grid is restored and the result is null. Otherwise the result is the
    // object that stood on `kam`, which the caller destroys.
    Figura* zkustah(Figura* kdo, Pozice kam);
    // The king or rook that has just moved to `kde` can no longer castle.
    void oznacpohyb(Pozice kde);

    // The computer (engine/)
    int ohodnot(bool strana);
    int tahpocitace(bool strana, bool jenhodnota);

    // The opening book (book/)
    void nactiknihovnu();
    void nactiknihovnu(std::istream& vstup);
    int radekznaku(char znak);
    int sloupecznaku(char znak);
    int kodtahu(const std::string& token);
    void posunuzel(int tah);
    // Plays the first legal move of the current book node for the side to
    // move; leaves the book for good when the node has none.
    bool tahknihovny();
    // The same step, returning the code it played, or -1 when there was none.
    int volbaknihovny();
    // The squares a book code names, castling (8, 9) aside; false when it
    // names no square of the board.
    static bool polakodu(int tah, Pozice& odkud, Pozice& kam);
    bool zahrajknihovni(int tah);
    bool vknihovne() const { return static_cast<unsigned>(uzel) < knihovna.size(); }

  private:
    // Everything construction does after the book: the direction tables, the
    // bitmaps and the initial position.
    void postavpocatek(SDL_Surface* obrazovka);
};
