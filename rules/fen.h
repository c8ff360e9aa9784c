// A position as FEN, the notation analysis engines read.
#pragma once

#include <string>

class Sachovnice;

// The game's position with the side to move; castling rights from the kings
// and rooks that have not moved; no en passant square ("-"), since the game
// has no en passant. The move counters are the caller's: the game keeps none.
std::string fen(const Sachovnice& hra, int pultahy, int cislotahu);
