// The rules as a whole: every legal move found by clicks, counted to depth 4
// from the start. The counts are chess's own: en passant cannot arise so early.
#include "podpora.h"

#include <vector>

namespace {

// What a position needs to be rebuilt: type codes, unmoved flags, side to move.
struct Snimek {
    int typ[8][8];
    bool nepohnuta[8][8];
    bool natahu;
};

Snimek sejmi(const Sachovnice& hra) {
    Snimek s{};
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            s.typ[r][c] = hra.pole[r][c]->typ;
            s.nepohnuta[r][c] = hra.pole[r][c]->nepohnuta;
        }
    }
    s.natahu = hra.natahu;
    return s;
}

void obnov(Sachovnice& hra, const Snimek& s) {
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            delete hra.pole[r][c];
            Figura* f = novafigura(s.typ[r][c], {r, c});
            f->nepohnuta = s.nepohnuta[r][c];
            hra.pole[r][c] = f;
            if (f->typ == BILY_KRAL) {
                hra.kralbily = f;
            } else if (f->typ == CERNY_KRAL) {
                hra.kralcerny = f;
            }
        }
    }
    hra.natahu = s.natahu;
    hra.stav = 0;
}

// Leaves reached after `hloubka` moves, each found by clicking every own
// piece and then every square.
long pocet(Sachovnice& hra, int hloubka) {
    if (hloubka == 0) {
        return 1;
    }
    const Snimek pozice = sejmi(hra);
    long soucet = 0;
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            const Figura* f = hra.pole[r][c];
            if (!f->jefigura || f->barva != hra.natahu) {
                continue;
            }
            for (int tr = 0; tr < 8; ++tr) {
                for (int tc = 0; tc < 8; ++tc) {
                    if (!klikni(hra, r, c)) {
                        ADD_FAILURE() << "own piece not selected";
                        return 0;
                    }
                    if (klikni(hra, tr, tc)) {
                        EXPECT_TRUE(invarianty(hra));
                        soucet += pocet(hra, hloubka - 1);
                        obnov(hra, pozice);
                    } else {
                        hra.stav = 0; // a refused click keeps the position as it was
                    }
                }
            }
        }
    }
    return soucet;
}

TEST(PocetTahu, FromTheStartToDepthThree) {
    auto hra = novahra();
    hra->knihovna.clear();
    EXPECT_EQ(pocet(*hra, 1), 20);
    EXPECT_EQ(pocet(*hra, 2), 400);
    EXPECT_EQ(pocet(*hra, 3), 8902);
}

TEST(PocetTahu, DepthFour) {
    auto hra = novahra();
    hra->knihovna.clear();
    EXPECT_EQ(pocet(*hra, 4), 197281);
}

} // namespace
