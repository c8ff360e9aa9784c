// Writing the opening book from an analysis engine, and measuring any book
// the way the game plays it. Positions, moves and the book's tree all come
// from the game's own rules and book code.
#pragma once

#include "book/uci.h"

#include <map>
#include <string>
#include <vector>

constexpr int PULTAHU = 10; // a line ends with Black's reply to White's fifth move
constexpr int SIRKA = 3;    // White's moves kept at each White node after the first

// The book's lines as tokens: all of White's first moves; at every later
// White node the engine's best three; at every Black node the engine's best,
// the node's only entry. `prubeh` hears of each finished ply.
std::vector<std::vector<std::string>> generujknihu(Motory& motory, int hloubka,
                                                   void (*prubeh)(int pultah, Motory&) = nullptr);

// The book's text from its lines.
std::string textknihy(const std::vector<std::vector<std::string>>& radky);

// What makes a book unfit for the game: lines that cannot be played out
// (a White move refused, a Black move the computer would not choose) and
// White's first moves the book does not answer.
std::vector<std::string> vadyknihy(const std::string& text);

struct Ztrata {
    int cp = 0;
    std::string fen;
    std::string tah;      // the computer's book move
    std::string nejlepsi; // the engine's best
};

struct Zprava {
    int radky = 0;
    int uzly = 0;
    int mrtve = 0;
    std::vector<std::string> bezodpovedi;       // White's first moves (UCI)
    std::map<int, std::pair<int, int>> pokryti; // by ply: best three covered, of
    double ocekavane = 0;
    std::vector<Ztrata> ztraty;
};

Zprava zmer(const std::string& text, Motory& motory, int hloubka);

// The report's text, as the book's name, its size in bytes and the figures.
std::string vypis(const std::string& nazev, std::size_t bajtu, const Zprava& z, Motory& motory,
                  int hloubka);
