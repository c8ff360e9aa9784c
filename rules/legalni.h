// The legal moves of the side to move, found with the game's own move tests
// and check test, for tools that talk to an analysis engine.
#pragma once

#include "model/figura.h"

#include <string>
#include <vector>

class Sachovnice;

struct LegalniTah {
    Pozice odkud;
    Pozice kam;
    std::string uci;   // as an engine writes it: e2e4, e7e8q (always a queen), e1g1
    std::string zapis; // as the book writes it: e2e4, e7e8, O-O, O-O-O
};

// Every legal move, sorted by `uci`. The game is left as it was.
std::vector<LegalniTah> legalnitahy(Sachovnice& hra);
