// Pieces: constructors, codes and step lists, and each piece's move test.
#include "podpora.h"

#include <memory>

namespace {

struct Konstrukce {
    int typ;
    bool barva;
    bool jefigura;
    bool nepohnuta;
    std::size_t kroku;
};

std::size_t pocetsmeru(const Figura* f) {
    if (auto k = dynamic_cast<const Kun*>(f)) {
        return k->smery.size();
    }
    if (auto s = dynamic_cast<const Strelec*>(f)) {
        return s->smery.size();
    }
    if (auto v = dynamic_cast<const Vez*>(f)) {
        return v->smery.size();
    }
    if (auto d = dynamic_cast<const Dama*>(f)) {
        return d->smery.size();
    }
    if (auto k = dynamic_cast<const Kral*>(f)) {
        return k->smery.size();
    }
    return 0;
}

TEST(Figury, ConstructorsSetCodeColourFlagsAndSquare) {
    const Konstrukce tabulka[] = {
        {0, false, false, false, 0}, {1, true, true, false, 0},  {2, true, true, false, 8},
        {3, true, true, false, 4},   {4, true, true, true, 4},   {5, true, true, false, 8},
        {6, true, true, true, 8},    {7, false, true, false, 0}, {8, false, true, false, 8},
        {9, false, true, false, 4},  {10, false, true, true, 4}, {11, false, true, false, 8},
        {12, false, true, true, 8},
    };
    for (const auto& k : tabulka) {
        std::unique_ptr<Figura> f(novafigura(k.typ, {3, 4}));
        SCOPED_TRACE(k.typ);
        EXPECT_EQ(f->typ, k.typ);
        EXPECT_EQ(f->barva, k.barva);
        EXPECT_EQ(f->jefigura, k.jefigura);
        EXPECT_EQ(f->pozice, Pozice(3, 4));
        if (k.typ % 6 == 4 || k.typ % 6 == 0) {
            EXPECT_EQ(f->nepohnuta, k.nepohnuta);
        }
        EXPECT_EQ(pocetsmeru(f.get()), k.kroku);
    }
    // An empty square takes the colour it is given; the game always gives false.
    Prazdno p(true, {3, 4});
    EXPECT_EQ(p.typ, 0);
    EXPECT_EQ(p.barva, true);
}

TEST(Figury, StepListsInTheirOrder) {
    const Kun kun(true, {0, 1});
    ASSERT_EQ(kun.smery.size(), 8u);
    EXPECT_EQ(kun.smery.front(), Pozice(1, 2));
    EXPECT_EQ(kun.smery.back(), Pozice(-2, -1));
    EXPECT_EQ(kun.smery, SKOKY_KONE);
    EXPECT_EQ(Strelec(true, {0, 2}).smery, (Smery{{1, 1}, {-1, 1}, {-1, -1}, {1, -1}}));
    EXPECT_EQ(Vez(true, {0, 0}).smery, (Smery{{1, 0}, {-1, 0}, {0, -1}, {0, 1}}));
    const Smery osm{{1, 0}, {-1, 0}, {0, -1}, {0, 1}, {1, 1}, {-1, 1}, {-1, -1}, {1, -1}};
    EXPECT_EQ(Dama(true, {0, 3}).smery, osm);
    EXPECT_EQ(Kral(false, {7, 4}).smery, osm);
}

// Move tests on hand-built positions. Each case: pieces on the board, the
// mover's square, the target square, the expected answer.
struct Pripad {
    const char* nazev;
    std::initializer_list<Umisteni> figury;
    Pozice odkud;
    Pozice kam;
    bool smi;
};

class Tahy : public ::testing::Test {
  protected:
    std::unique_ptr<Sachovnice> hra = novahra();

    void over(const Pripad& p) {
        SCOPED_TRACE(p.nazev);
        postav(*hra, p.figury);
        const std::string pred = diagram(*hra);
        Figura* kdo = hra->pole[p.odkud.first][p.odkud.second];
        Figura* cil = hra->pole[p.kam.first][p.kam.second];
        EXPECT_EQ(kdo->muzetahnout(cil, hra->pole), p.smi);
        EXPECT_EQ(diagram(*hra), pred);
        EXPECT_TRUE(invarianty(*hra));
    }
};

constexpr Umisteni K{BILY_KRAL, 0, 7};
constexpr Umisteni k{CERNY_KRAL, 7, 7};

TEST_F(Tahy, SlidingPiecesAreBlockedByAnythingBetween) {
    const Pripad pripady[] = {
        {"rook free line", {K, k, {BILA_VEZ, 3, 0}}, {3, 0}, {3, 6}, true},
        {"rook takes enemy", {K, k, {BILA_VEZ, 3, 0}, {CERNY_PESEC, 6, 0}}, {3, 0}, {6, 0}, true},
        {"rook not own", {K, k, {BILA_VEZ, 3, 0}, {BILY_PESEC, 6, 0}}, {3, 0}, {6, 0}, false},
        {"rook blocked own", {K, k, {BILA_VEZ, 3, 0}, {BILY_PESEC, 3, 2}}, {3, 0}, {3, 5}, false},
        {"rook blocked enemy", {K, k, {BILA_VEZ, 3, 0}, {CERNY_KUN, 4, 0}}, {3, 0}, {6, 0}, false},
        {"rook diagonal", {K, k, {BILA_VEZ, 3, 0}}, {3, 0}, {4, 1}, false},
        {"rook own square", {K, k, {BILA_VEZ, 3, 0}}, {3, 0}, {3, 0}, false},
        {"bishop free", {K, k, {BILY_STRELEC, 2, 2}}, {2, 2}, {5, 5}, true},
        {"bishop backwards", {K, k, {BILY_STRELEC, 2, 2}}, {2, 2}, {0, 0}, true},
        {"bishop blocked",
         {K, k, {BILY_STRELEC, 2, 2}, {CERNY_PESEC, 4, 4}},
         {2, 2},
         {5, 5},
         false},
        {"bishop line", {K, k, {BILY_STRELEC, 2, 2}}, {2, 2}, {2, 5}, false},
        {"bishop knight shape", {K, k, {BILY_STRELEC, 2, 2}}, {2, 2}, {3, 4}, false},
        {"queen row", {K, k, {CERNA_DAMA, 4, 0}}, {4, 0}, {4, 7}, true},
        {"queen row blocked",
         {K, k, {CERNA_DAMA, 4, 0}, {BILY_PESEC, 4, 5}},
         {4, 0},
         {4, 7},
         false},
        {"queen diag blocked",
         {K, k, {CERNA_DAMA, 4, 0}, {CERNY_PESEC, 2, 2}},
         {4, 0},
         {1, 3},
         false},
        {"queen diag takes", {K, k, {CERNA_DAMA, 4, 0}, {BILY_PESEC, 1, 3}}, {4, 0}, {1, 3}, true},
        {"queen odd shape", {K, k, {CERNA_DAMA, 4, 0}}, {4, 0}, {6, 1}, false},
        {"queen own square", {K, k, {CERNA_DAMA, 4, 0}}, {4, 0}, {4, 0}, false},
    };
    for (const auto& p : pripady) {
        over(p);
    }
}

TEST_F(Tahy, KnightsJumpOverPiecesKingsStepOnce) {
    // A knight hemmed in on every side still reaches its jump squares.
    Pripad obklopeny{"knight",
                     {K,
                      k,
                      {BILY_KUN, 3, 3},
                      {BILY_PESEC, 2, 2},
                      {BILY_PESEC, 2, 3},
                      {BILY_PESEC, 2, 4},
                      {CERNY_PESEC, 3, 2},
                      {CERNY_PESEC, 3, 4},
                      {CERNY_PESEC, 4, 2},
                      {CERNY_PESEC, 4, 3},
                      {CERNY_PESEC, 4, 4},
                      {CERNA_VEZ, 5, 4}},
                     {3, 3},
                     {0, 0},
                     false};
    for (const auto& [dr, dc] : SKOKY_KONE) {
        obklopeny.kam = {3 + dr, 3 + dc};
        obklopeny.smi = true;
        over(obklopeny);
    }
    const Pripad pripady[] = {
        {"knight onto own", {K, k, {BILY_KUN, 3, 3}, {BILY_PESEC, 5, 4}}, {3, 3}, {5, 4}, false},
        {"knight straight", {K, k, {BILY_KUN, 3, 3}}, {3, 3}, {5, 3}, false},
        {"king step", {{BILY_KRAL, 3, 3}, k}, {3, 3}, {4, 4}, true},
        {"king takes", {{BILY_KRAL, 3, 3}, k, {CERNA_DAMA, 3, 4}}, {3, 3}, {3, 4}, true},
        {"king two squares", {{BILY_KRAL, 0, 4}, k}, {0, 4}, {0, 6}, false},
        {"king own square", {{BILY_KRAL, 0, 4}, k}, {0, 4}, {0, 4}, false},
    };
    for (const auto& p : pripady) {
        over(p);
    }
}

TEST_F(Tahy, PawnsStepForwardAndTakeDiagonally) {
    const Pripad pripady[] = {
        {"white single", {K, k, {BILY_PESEC, 1, 4}}, {1, 4}, {2, 4}, true},
        {"white double", {K, k, {BILY_PESEC, 1, 4}}, {1, 4}, {3, 4}, true},
        {"double blocked near",
         {K, k, {BILY_PESEC, 1, 4}, {CERNY_KUN, 2, 4}},
         {1, 4},
         {3, 4},
         false},
        {"single blocked", {K, k, {BILY_PESEC, 1, 4}, {CERNY_KUN, 2, 4}}, {1, 4}, {2, 4}, false},
        {"double blocked far", {K, k, {BILY_PESEC, 1, 4}, {BILY_KUN, 3, 4}}, {1, 4}, {3, 4}, false},
        {"single with far blocked",
         {K, k, {BILY_PESEC, 1, 4}, {BILY_KUN, 3, 4}},
         {1, 4},
         {2, 4},
         true},
        {"double off start row", {K, k, {BILY_PESEC, 2, 4}}, {2, 4}, {4, 4}, false},
        {"no capture ahead",
         {K, k, {BILY_PESEC, 3, 4}, {CERNY_PESEC, 4, 4}},
         {3, 4},
         {4, 4},
         false},
        {"captures right", {K, k, {BILY_PESEC, 3, 4}, {CERNY_PESEC, 4, 5}}, {3, 4}, {4, 5}, true},
        {"captures left", {K, k, {BILY_PESEC, 3, 4}, {CERNY_PESEC, 4, 3}}, {3, 4}, {4, 3}, true},
        {"diagonal empty", {K, k, {BILY_PESEC, 3, 4}, {CERNY_PESEC, 3, 5}}, {3, 4}, {4, 5}, false},
        {"diagonal own", {K, k, {BILY_PESEC, 3, 4}, {BILY_PESEC, 4, 5}}, {3, 4}, {4, 5}, false},
        {"backwards", {K, k, {BILY_PESEC, 3, 4}}, {3, 4}, {2, 4}, false},
        {"sideways", {K, k, {BILY_PESEC, 3, 4}}, {3, 4}, {3, 5}, false},
        {"black single", {K, k, {CERNY_PESEC, 6, 2}}, {6, 2}, {5, 2}, true},
        {"black double", {K, k, {CERNY_PESEC, 6, 2}}, {6, 2}, {4, 2}, true},
        {"black wrong way", {K, k, {CERNY_PESEC, 6, 2}}, {6, 2}, {7, 2}, false},
        {"black captures", {K, k, {CERNY_PESEC, 4, 2}, {BILY_KUN, 3, 1}}, {4, 2}, {3, 1}, true},
        {"black double off start", {K, k, {CERNY_PESEC, 5, 2}}, {5, 2}, {3, 2}, false},
    };
    for (const auto& p : pripady) {
        over(p);
    }
}

TEST_F(Tahy, EmptySquaresAndTheBaseRefuseEverything) {
    Figura zaklad;
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            Figura* cil = hra->pole[r][c];
            EXPECT_FALSE(hra->pole[3][4]->muzetahnout(cil, hra->pole));
            EXPECT_FALSE(zaklad.muzetahnout(cil, hra->pole));
        }
    }
}

} // namespace
