// The pieces: one object per square, an empty square holding a Prazdno.
#pragma once

#include <utility>
#include <vector>

class Figura;

// (row, column) of a square, or (row delta, column delta) of a step.
using Pozice = std::pair<int, int>;
using Smery = std::vector<Pozice>;
// The grid: 8 rows of 8 pieces, indexed first by row, then by column.
using Mrizka = std::vector<std::vector<Figura*>>;

// Type codes: kind (pawn 1 .. king 6) plus 6 for Black; 0 is an empty square.
enum Typ : int {
    PRAZDNO = 0,
    BILY_PESEC = 1,
    BILY_KUN = 2,
    BILY_STRELEC = 3,
    BILA_VEZ = 4,
    BILA_DAMA = 5,
    BILY_KRAL = 6,
    CERNY_PESEC = 7,
    CERNY_KUN = 8,
    CERNY_STRELEC = 9,
    CERNA_VEZ = 10,
    CERNA_DAMA = 11,
    CERNY_KRAL = 12,
};

// The code of a piece of the given kind (BILY_*) for the given colour.
inline int typbarvy(int bilytyp, bool barva) {
    return barva ? bilytyp : bilytyp + 6;
}
// The kind of a piece as its white code (pawn 1 .. king 6); 0 for an empty square.
inline int druh(int typ) {
    return typ == PRAZDNO ? PRAZDNO : (typ - 1) % 6 + 1;
}
// Whether a type code is a piece of the given colour.
inline bool jebarvy(int typ, bool barva) {
    return barva ? typ >= BILY_PESEC && typ <= BILY_KRAL : typ >= CERNY_PESEC && typ <= CERNY_KRAL;
}
inline bool jekral(int typ) {
    return typ == BILY_KRAL || typ == CERNY_KRAL;
}
// Whether (row, column) lies on the board.
inline bool napoli(int radek, int sloupec) {
    return radek >= 0 && radek <= 7 && sloupec >= 0 && sloupec <= 7;
}

class Figura {
  public:
    bool barva = false;     // true White, false Black; every empty square is false
    bool nepohnuta = false; // kings and rooks: has not moved yet
    Pozice pozice;          // the square the piece stands on
    bool jefigura = false;  // false only for Prazdno
    int typ = PRAZDNO;

    Figura() : pozice(0, 0) {}
    Figura(const Figura&) = delete;
    Figura& operator=(const Figura&) = delete;
    virtual ~Figura() = default;

    // May this piece move onto the target's square? The grid is a copy of the
    // table of pointers; the pieces themselves are shared and never changed.
    virtual bool muzetahnout(Figura* cil, Mrizka pole);

  protected:
    // What every real piece's constructor sets: a piece of the given kind
    // (as a white code) and colour on the given square.
    void nastav(bool barva_, Pozice pozice_, int bilytyp);
};

class Prazdno : public Figura {
  public:
    Prazdno(bool barva, Pozice pozice);
    bool muzetahnout(Figura* cil, Mrizka pole) override;
};

class Pesec : public Figura {
  public:
    Pesec(bool barva, Pozice pozice);
    bool muzetahnout(Figura* cil, Mrizka pole) override;
};

class Kun : public Figura {
  public:
    Smery smery;
    Kun(bool barva, Pozice pozice);
    bool muzetahnout(Figura* cil, Mrizka pole) override;
};

class Strelec : public Figura {
  public:
    Smery smery;
    Strelec(bool barva, Pozice pozice);
    bool muzetahnout(Figura* cil, Mrizka pole) override;
};

class Vez : public Figura {
  public:
    Smery smery;
    Vez(bool barva, Pozice pozice);
    bool muzetahnout(Figura* cil, Mrizka pole) override;
};

class Dama : public Figura {
  public:
    Smery smery;
    Dama(bool barva, Pozice pozice);
    bool muzetahnout(Figura* cil, Mrizka pole) override;
};

class Kral : public Figura {
  public:
    Smery smery;
    Kral(bool barva, Pozice pozice);
    bool muzetahnout(Figura* cil, Mrizka pole) override;
};

// The step lists, in the order that decides the computer's ties.
extern const Smery SKOKY_KONE;
extern const Smery SMERY_STRELCE;
extern const Smery SMERY_VEZE;
extern const Smery SMERY_DAMY;

// A new piece of the given type code (0..12) on the given square.
Figura* novafigura(int typ, Pozice pozice);
