// Material values, shared by the evaluation and the search.
#pragma once

// The material value of a piece by its type code: pawn 1, knight and bishop
// 3, rook 5, queen 9; kings, empty squares and unknown codes 0.
int hodnotafigury(int typ);
