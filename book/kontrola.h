// Checking an opening book file the way the game follows it: each line is
// replayed from a new game, White's moves through the player's move input
// and Black's through the computer's book step, so that the checker and the
// game share one set of rules.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// One move the game would pass over or cannot read, or a line it never reads.
struct Nalez {
    int radek = 0;     // line in the file, from 1
    int tah = 0;       // move in the line, from 1 (White's first is 1); 0 for a whole line
    std::string token; // the move as written; empty for a whole line
    std::string duvod; // why, in the game's language
};

struct VysledekKontroly {
    int linii = 0; // lines the game reads as openings
    std::vector<Nalez> nalezy;
};

VysledekKontroly zkontrolujknihovnu(std::istream& vstup);

// "SOUBOR:RADEK:TAH: token: duvod", or "SOUBOR:RADEK: duvod" for a whole line.
std::string popisnalezu(const std::string& soubor, const Nalez& nalez);
