// The computer's search and material count.
#include "podpora.h"

#include <random>
#include <set>
#include <vector>

namespace {

class Hledani : public ::testing::Test {
  protected:
    std::unique_ptr<Sachovnice> hra = novahra();

    void SetUp() override { hra->knihovna.clear(); }

    // Plays the computer's Black move and checks that only its two squares changed.
    void tahcerneho(Pozice z, Pozice na) {
        hra->natahu = false;
        const auto pred = objekty(*hra);
        Figura* kdo = hra->pole[z.first][z.second];
        ASSERT_EQ(hra->tahpocitace(false, false), 0) << diagram(*hra);
        EXPECT_EQ(hra->pole[na.first][na.second], kdo) << diagram(*hra);
        EXPECT_TRUE(hra->natahu);
        const auto po = objekty(*hra);
        for (int i = 0; i < 64; ++i) {
            const Pozice p{i / 8, i % 8};
            if (p != z && p != na) {
                EXPECT_EQ(po[i], pred[i]) << "square " << p.first << "," << p.second;
            }
        }
        EXPECT_TRUE(invarianty(*hra));
    }
};

TEST_F(Hledani, MaterialFromEitherSide) {
    EXPECT_EQ(hra->ohodnot(true), 0);
    EXPECT_EQ(hra->ohodnot(false), 0);
    delete hra->pole[1][0];
    hra->pole[1][0] = new Prazdno(false, {1, 0});
    delete hra->pole[7][1];
    hra->pole[7][1] = new Prazdno(false, {7, 1});
    EXPECT_EQ(hra->ohodnot(true), 2);
    EXPECT_EQ(hra->ohodnot(false), -2);
    postav(*hra, {{BILY_KRAL, 0, 4}, {CERNY_KRAL, 7, 4}});
    EXPECT_EQ(hra->ohodnot(true), 0);
    postav(*hra, {{BILY_KRAL, 0, 4}, {CERNY_KRAL, 7, 4}, {BILA_DAMA, 3, 3}, {BILA_VEZ, 2, 2}});
    EXPECT_EQ(hra->ohodnot(true), 14);
    EXPECT_EQ(hra->ohodnot(false), -14);
}

TEST_F(Hledani, TiesGoToTheLastCandidateGenerated) {
    // After e2e4 every reply scores 0 and the last knight move wins: g8f6 (7655).
    ASSERT_TRUE(klikni(*hra, 1, 4));
    ASSERT_TRUE(klikni(*hra, 3, 4));
    const auto pred = objekty(*hra);
    EXPECT_EQ(hra->tahpocitace(false, true), 0);
    EXPECT_EQ(objekty(*hra), pred);
    EXPECT_FALSE(hra->natahu);
    tahcerneho({7, 6}, {5, 5});

    // A pawn's single step comes after its double step (6353).
    postav(*hra, {{CERNY_KRAL, 5, 0}, {CERNY_PESEC, 6, 3}, {BILY_KRAL, 0, 0}});
    tahcerneho({6, 3}, {5, 3});

    // Two captures score alike; the knight, visited later, takes (6645).
    postav(*hra, {{CERNY_KRAL, 7, 7},
                  {BILY_KRAL, 0, 0},
                  {CERNY_PESEC, 6, 3},
                  {CERNY_KUN, 6, 6},
                  {BILY_KUN, 5, 2},
                  {BILY_KUN, 4, 5}});
    tahcerneho({6, 6}, {4, 5});
}

TEST_F(Hledani, NeverExposesItsKing) {
    // The rook is pinned: taking the queen would leave the king to the White rook.
    postav(*hra, {{CERNY_KRAL, 7, 4},
                  {CERNA_VEZ, 6, 4},
                  {BILA_VEZ, 2, 4},
                  {BILA_DAMA, 6, 0},
                  {BILY_KRAL, 0, 0}});
    hra->natahu = false;
    ASSERT_EQ(hra->tahpocitace(false, false), 0);
    EXPECT_EQ(hra->pole[6][0]->typ, BILA_DAMA);
    EXPECT_TRUE(invarianty(*hra));
}

TEST_F(Hledani, NoLegalMoveLeavesEverythingAsItWas) {
    // Stalemate in the corner.
    postav(*hra, {{CERNY_KRAL, 7, 0}, {BILA_DAMA, 5, 1}, {BILY_KRAL, 0, 7}});
    hra->natahu = false;
    const auto pred = objekty(*hra);
    EXPECT_EQ(hra->tahpocitace(false, false), -1000);
    EXPECT_EQ(hra->tahpocitace(false, true), -1000);
    EXPECT_EQ(objekty(*hra), pred);
    EXPECT_FALSE(hra->natahu);
    EXPECT_TRUE(invarianty(*hra));
}

TEST_F(Hledani, PromotesToAQueenAndScoresTheQueen) {
    // Black's pawn against White's knight scores -2; as a queen, 6.
    postav(*hra, {{CERNY_KRAL, 7, 7}, {BILY_KRAL, 0, 7}, {CERNY_PESEC, 1, 1}, {BILY_KUN, 4, 6}});
    hra->natahu = false;
    EXPECT_EQ(hra->tahpocitace(false, true), -6);
    ASSERT_EQ(hra->tahpocitace(false, false), 0);
    EXPECT_EQ(hra->pole[0][1]->typ, CERNA_DAMA);
    EXPECT_EQ(hra->pole[1][1]->typ, PRAZDNO);
    EXPECT_TRUE(invarianty(*hra));

    // White's search promotes the same way.
    postav(*hra, {{CERNY_KRAL, 7, 7}, {BILY_KRAL, 0, 7}, {BILY_PESEC, 6, 1}});
    ASSERT_EQ(hra->tahpocitace(true, false), 0);
    EXPECT_EQ(hra->pole[7][1]->typ, BILA_DAMA);
    EXPECT_FALSE(hra->natahu);
}

TEST_F(Hledani, MovedKingsAndRooksLoseTheirCastlingRight) {
    postav(*hra, {{CERNY_KRAL, 7, 4}, {CERNA_VEZ, 7, 7}, {BILY_KUN, 3, 7}, {BILY_KRAL, 0, 0}});
    Figura* vez = hra->pole[7][7];
    tahcerneho({7, 7}, {3, 7});
    EXPECT_FALSE(vez->nepohnuta);

    postav(*hra, {{CERNY_KRAL, 7, 4}, {BILY_PESEC, 6, 5}, {BILY_KRAL, 0, 0}});
    Figura* kral = hra->kralcerny;
    tahcerneho({7, 4}, {6, 5});
    EXPECT_FALSE(kral->nepohnuta);
}

TEST_F(Hledani, EveryMoveItPlaysIsOneMoveInputAccepts) {
    std::mt19937 nahoda(4);
    int overeno = 0;
    for (int partie = 0; partie < 25; ++partie) {
        hra = novahra();
        hra->knihovna.clear();
        for (int pultah = 0; pultah < 120; pultah += 2) {
            // White: a random legal move.
            std::vector<Snimek> bile;
            kazdytah(
                *hra, [&](Sachovnice& po) { bile.push_back(sejmi(po)); }, false);
            if (bile.empty()) {
                break;
            }
            obnov(*hra, bile[nahoda() % bile.size()]);
            // Black: the computer's move must be one of Black's legal moves.
            std::set<std::string> cerne;
            kazdytah(
                *hra, [&](Sachovnice& po) { cerne.insert(diagram(po)); }, false);
            const int vysledek = hra->tahpocitace(false, false);
            if (vysledek == -1000) {
                EXPECT_TRUE(cerne.empty()) << diagram(*hra);
                break;
            }
            ASSERT_EQ(cerne.count(diagram(*hra)), 1u) << diagram(*hra);
            ASSERT_TRUE(hra->natahu);
            ASSERT_TRUE(invarianty(*hra));
            ++overeno;
        }
    }
    EXPECT_GT(overeno, 500);
}

TEST_F(Hledani, NeverTakesAKing) {
    // Not a position a game can reach; the king must survive it all the same.
    postav(*hra, {{CERNY_KRAL, 7, 0}, {CERNA_VEZ, 5, 4}, {BILY_KRAL, 0, 4}});
    hra->natahu = false;
    ASSERT_EQ(hra->tahpocitace(false, false), 0);
    EXPECT_EQ(hra->pole[0][4], hra->kralbily);
    EXPECT_TRUE(invarianty(*hra));
}

} // namespace
