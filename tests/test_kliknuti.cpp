// Move input: selection, trial and take-back, castling, promotion, move codes.
#include "podpora.h"

#include <vector>

namespace {

class Kliknuti : public ::testing::Test {
  protected:
    std::unique_ptr<Sachovnice> hra = novahra();

    void SetUp() override {
        // A book that records every code it is given: each node knows only the
        // code under test and leads to the next node.
        hra->knihovna.clear();
        hra->uzel = 0;
    }

    void tah(Pozice z, Pozice na) {
        ASSERT_TRUE(klikni(*hra, z.first, z.second)) << diagram(*hra);
        ASSERT_TRUE(klikni(*hra, na.first, na.second)) << diagram(*hra);
    }
};

TEST_F(Kliknuti, SelectionRules) {
    // An empty square and a piece of the side not to move are ignored.
    EXPECT_FALSE(klikni(*hra, 3, 3));
    EXPECT_FALSE(klikni(*hra, 6, 0));
    EXPECT_EQ(hra->stav, 0);
    // An own piece is selected; another own piece does not switch the selection.
    EXPECT_TRUE(klikni(*hra, 0, 1));
    EXPECT_EQ(hra->stav, 1);
    EXPECT_FALSE(klikni(*hra, 1, 4));
    EXPECT_FALSE(klikni(*hra, 0, 1));
    EXPECT_EQ(hra->stav, 1);
    EXPECT_EQ(hra->vybrana, hra->pole[0][1]);
    // A square the knight cannot reach drops the selection.
    EXPECT_FALSE(klikni(*hra, 3, 3));
    EXPECT_EQ(hra->stav, 0);
    EXPECT_TRUE(hra->natahu);
    // Now the knight goes to (2, 2).
    EXPECT_TRUE(klikni(*hra, 0, 1));
    EXPECT_TRUE(klikni(*hra, 2, 2));
    EXPECT_EQ(hra->pole[2][2]->typ, BILY_KUN);
    EXPECT_FALSE(hra->natahu);
    EXPECT_TRUE(invarianty(*hra));
}

TEST_F(Kliknuti, ScreenSquaresMapToGridInBothOrientations) {
    // Screen column 0 is the h-file; with the board rotated, screen row 0 is row 7.
    EXPECT_TRUE(hra->kliknuti(7, 1)); // (1, 0): the a-pawn
    EXPECT_EQ(hra->vybrana, hra->pole[1][0]);
    EXPECT_TRUE(hra->kliknuti(7, 3));
    EXPECT_EQ(hra->pole[3][0]->typ, BILY_PESEC);
    hra->otoceno = false;
    EXPECT_TRUE(hra->kliknuti(0, 1)); // (6, 7): the h-pawn of Black
    EXPECT_EQ(hra->vybrana, hra->pole[6][7]);
    EXPECT_TRUE(hra->kliknuti(0, 3));
    EXPECT_EQ(hra->pole[4][7]->typ, CERNY_PESEC);
    EXPECT_FALSE(hra->kliknuti(-1, 0));
    EXPECT_FALSE(hra->kliknuti(0, 8));
}

TEST_F(Kliknuti, CaptureLeavesANewEmptySquareAndTheMoverItsNewSquare) {
    postav(*hra, {{BILY_KRAL, 0, 4}, {CERNY_KRAL, 7, 4}, {BILA_VEZ, 3, 0}, {CERNY_KUN, 3, 6}});
    Figura* vez = hra->pole[3][0];
    Figura* puvodni = hra->pole[3][0];
    tah({3, 0}, {3, 6});
    EXPECT_EQ(hra->pole[3][6], vez);
    EXPECT_EQ(vez->pozice, Pozice(3, 6));
    EXPECT_EQ(hra->pole[3][0]->typ, PRAZDNO);
    EXPECT_NE(hra->pole[3][0], puvodni);
    EXPECT_FALSE(vez->nepohnuta);
    EXPECT_TRUE(invarianty(*hra));
}

TEST_F(Kliknuti, MovesThatLeaveTheOwnKingAttackedAreTakenBack) {
    struct Pripad {
        const char* nazev;
        std::initializer_list<Umisteni> figury;
        Pozice z, na;
    };
    const Pripad pripady[] = {
        {"pinned bishop",
         {{BILY_KRAL, 0, 4}, {BILY_STRELEC, 1, 4}, {CERNA_VEZ, 6, 4}, {CERNY_KRAL, 7, 0}},
         {1, 4},
         {2, 5}},
        {"king into a rook's line",
         {{BILY_KRAL, 0, 4}, {CERNA_VEZ, 6, 3}, {CERNY_KRAL, 7, 0}},
         {0, 4},
         {0, 3}},
        {"move that ignores a check",
         {{BILY_KRAL, 0, 4}, {BILY_PESEC, 1, 0}, {CERNA_VEZ, 6, 4}, {CERNY_KRAL, 7, 0}},
         {1, 0},
         {2, 0}},
        {"king beside the other king", {{BILY_KRAL, 4, 4}, {CERNY_KRAL, 6, 4}}, {4, 4}, {5, 4}},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        postav(*hra, p.figury);
        const auto pred = objekty(*hra);
        const Pozice kde = p.z;
        EXPECT_TRUE(klikni(*hra, kde.first, kde.second));
        EXPECT_FALSE(klikni(*hra, p.na.first, p.na.second));
        EXPECT_EQ(hra->stav, 0);
        EXPECT_TRUE(hra->natahu);
        EXPECT_EQ(objekty(*hra), pred);
        EXPECT_TRUE(invarianty(*hra));
    }
}

TEST_F(Kliknuti, AKingIsNeverTaken) {
    // Black to move may not take the White king even where its piece could.
    postav(*hra, {{BILY_KRAL, 0, 4}, {CERNY_KRAL, 7, 0}, {CERNA_VEZ, 5, 4}});
    hra->natahu = false;
    const auto pred = objekty(*hra);
    EXPECT_TRUE(klikni(*hra, 5, 4));
    EXPECT_FALSE(klikni(*hra, 0, 4));
    EXPECT_EQ(hra->stav, 0);
    EXPECT_EQ(objekty(*hra), pred);
}

// Castling: for each colour and side, the arrangement, the click, and where
// king and rook end.
struct Rosady {
    bool bily;
    bool kralovska;
};

class Rosada : public Kliknuti, public ::testing::WithParamInterface<Rosady> {
  protected:
    int rada() const { return GetParam().bily ? 0 : 7; }
    int cil() const { return GetParam().kralovska ? 6 : 2; }
    int roh() const { return GetParam().kralovska ? 7 : 0; }
    int pres() const { return GetParam().kralovska ? 5 : 3; }

    // King and both rooks on their squares, the other side's king far off and
    // out of the lines the cases below use.
    void rozestav(std::initializer_list<Umisteni> navic = {}) {
        const bool b = GetParam().bily;
        std::vector<Umisteni> v{{typbarvy(BILY_KRAL, b), rada(), 4},
                                {typbarvy(BILA_VEZ, b), rada(), 0},
                                {typbarvy(BILA_VEZ, b), rada(), 7},
                                {typbarvy(BILY_KRAL, !b), b ? 4 : 3, GetParam().kralovska ? 1 : 6}};
        v.insert(v.end(), navic);
        postav(*hra, {});
        for (const Umisteni& u : v) {
            delete hra->pole[u.radek][u.sloupec];
            hra->pole[u.radek][u.sloupec] = novafigura(u.typ, {u.radek, u.sloupec});
            if (u.typ == BILY_KRAL) {
                hra->kralbily = hra->pole[u.radek][u.sloupec];
            } else if (u.typ == CERNY_KRAL) {
                hra->kralcerny = hra->pole[u.radek][u.sloupec];
            }
        }
        hra->natahu = b;
    }

    // Clicks the king and its landing square; the result of the second click.
    bool zkus() {
        EXPECT_TRUE(klikni(*hra, rada(), 4));
        return klikni(*hra, rada(), cil());
    }

    void odmitnuta(int stav) {
        const auto pred = objekty(*hra);
        EXPECT_FALSE(zkus());
        EXPECT_EQ(hra->stav, stav);
        EXPECT_EQ(hra->natahu, GetParam().bily);
        EXPECT_EQ(objekty(*hra), pred);
        EXPECT_TRUE(invarianty(*hra));
    }
};

TEST_P(Rosada, KingAndRookLandAndTheBookHearsTheCode) {
    const int kod = GetParam().kralovska ? 8 : 9;
    rozestav();
    hra->knihovna = {{{kod, 1}}, {{4143, 2}}};
    Figura* kral = hra->pole[rada()][4];
    Figura* vez = hra->pole[rada()][roh()];
    EXPECT_TRUE(zkus());
    EXPECT_EQ(hra->pole[rada()][cil()], kral);
    EXPECT_EQ(hra->pole[rada()][pres()], vez);
    EXPECT_EQ(hra->pole[rada()][4]->typ, PRAZDNO);
    EXPECT_EQ(hra->pole[rada()][roh()]->typ, PRAZDNO);
    EXPECT_FALSE(kral->nepohnuta);
    EXPECT_FALSE(vez->nepohnuta);
    EXPECT_EQ(hra->natahu, !GetParam().bily);
    EXPECT_EQ(hra->stav, 0);
    EXPECT_EQ(hra->uzel, 1);
    EXPECT_TRUE(invarianty(*hra));
}

TEST_P(Rosada, RefusedForEveryReason) {
    const bool b = GetParam().bily;
    const int smer = GetParam().kralovska ? 1 : -1;
    const int nepritel_rada = b ? 6 : 1;
    const int vez = typbarvy(BILA_VEZ, !b);

    {
        SCOPED_TRACE("king has moved and come back");
        rozestav();
        hra->pole[rada()][4]->nepohnuta = false;
        odmitnuta(0);
    }
    {
        SCOPED_TRACE("rook has moved");
        rozestav();
        hra->pole[rada()][roh()]->nepohnuta = false;
        odmitnuta(0);
    }
    for (int c = 4 + smer; c != roh(); c += smer) {
        SCOPED_TRACE("square between occupied: " + std::to_string(c));
        rozestav({{typbarvy(BILY_KUN, b), rada(), c}});
        if (c == cil()) {
            // The landing square itself holds an own piece: an own-piece click.
            const auto pred = objekty(*hra);
            EXPECT_FALSE(zkus());
            EXPECT_EQ(hra->stav, 1);
            EXPECT_EQ(objekty(*hra), pred);
        } else {
            odmitnuta(0);
        }
    }
    {
        SCOPED_TRACE("king in check now keeps the selection");
        rozestav({{vez, nepritel_rada, 4}});
        odmitnuta(1);
    }
    {
        SCOPED_TRACE("passed square attacked");
        rozestav({{vez, nepritel_rada, pres()}});
        odmitnuta(0);
    }
    {
        SCOPED_TRACE("landing square attacked");
        rozestav({{vez, nepritel_rada, cil()}});
        odmitnuta(0);
    }
    {
        SCOPED_TRACE("rook square attacked does not matter");
        rozestav({{vez, nepritel_rada, roh()}});
        EXPECT_TRUE(zkus());
    }
    {
        SCOPED_TRACE("clicking the own rook keeps the king selected");
        rozestav();
        EXPECT_TRUE(klikni(*hra, rada(), 4));
        EXPECT_FALSE(klikni(*hra, rada(), roh()));
        EXPECT_EQ(hra->stav, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(VsechnyCtyri, Rosada,
                         ::testing::Values(Rosady{true, true}, Rosady{true, false},
                                           Rosady{false, true}, Rosady{false, false}),
                         [](const auto& info) {
                             return std::string(info.param.bily ? "White" : "Black") +
                                    (info.param.kralovska ? "KingSide" : "QueenSide");
                         });

TEST_F(Kliknuti, MoveCodesReachTheBookCursorOncePerMove) {
    hra->knihovna = {{{4143, 1}}, {{3634, 2}}, {{6052, 3}}};
    tah({1, 4}, {3, 4});
    EXPECT_EQ(hra->uzel, 1);
    // A selection and a refusal do not move the cursor.
    EXPECT_TRUE(klikni(*hra, 6, 3));
    EXPECT_FALSE(klikni(*hra, 3, 3));
    EXPECT_EQ(hra->uzel, 1);
    tah({6, 3}, {4, 3});
    EXPECT_EQ(hra->uzel, 2);
    // A move the book does not know leaves it for good.
    tah({0, 1}, {2, 2});
    EXPECT_EQ(hra->uzel, 3);
    tah({7, 1}, {5, 2});
    EXPECT_EQ(hra->uzel, 3);
}

// Promotion: the dialog's answer is queued before the move's second click.
struct Promena {
    bool bily;
    bool brani;
    int x; // the piece picked in the dialog
    int bilytyp;
};

class Promeny : public Kliknuti, public ::testing::WithParamInterface<Promena> {};

TEST_P(Promeny, PawnBecomesThePickedPiece) {
    const Promena& p = GetParam();
    const int z = p.bily ? 6 : 1;
    const int na = p.bily ? 7 : 0;
    const int sloupec = p.brani ? 1 : 0;
    postav(*hra, {{BILY_KRAL, 3, 7},
                  {CERNY_KRAL, 5, 7},
                  {typbarvy(BILY_PESEC, p.bily), z, 0},
                  {typbarvy(BILA_VEZ, !p.bily), na, 1}});
    hra->natahu = p.bily;
    hra->knihovna = {{{0 * 1000 + z * 100 + sloupec * 10 + na, 1}}, {{1, 2}}};
    vyprazdnifrontu();
    stiskni(p.x, 360);
    EXPECT_TRUE(klikni(*hra, z, 0));
    EXPECT_TRUE(klikni(*hra, na, sloupec));
    const Figura* nova = hra->pole[na][sloupec];
    EXPECT_EQ(nova->typ, typbarvy(p.bilytyp, p.bily));
    EXPECT_EQ(nova->barva, p.bily);
    EXPECT_EQ(nova->pozice, Pozice(na, sloupec));
    EXPECT_FALSE(nova->nepohnuta); // a promoted rook never castles
    EXPECT_EQ(hra->pole[z][0]->typ, PRAZDNO);
    EXPECT_EQ(hra->natahu, !p.bily);
    EXPECT_EQ(hra->uzel, 1); // the promotion has the plain code of its squares
    EXPECT_TRUE(invarianty(*hra));
    vyprazdnifrontu();
}

INSTANTIATE_TEST_SUITE_P(
    ObeBarvy, Promeny,
    ::testing::Values(Promena{true, false, 110, BILY_KUN}, Promena{true, true, 140, BILY_STRELEC},
                      Promena{true, false, 180, BILA_VEZ}, Promena{false, true, 210, BILA_DAMA},
                      Promena{false, false, 110, BILY_KUN}, Promena{false, true, 180, BILA_VEZ}));

} // namespace
