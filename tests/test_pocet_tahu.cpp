// The rules as a whole: every legal move found by clicks, counted a few moves
// deep from positions whose counts are well known. The positions hold checks,
// pins, castling on both sides and promotions to all four pieces; en passant
// cannot arise at these depths.
#include "podpora.h"

namespace {

long pocet(Sachovnice& hra, int hloubka) {
    if (hloubka == 0) {
        return 1;
    }
    long soucet = 0;
    kazdytah(hra, [&](Sachovnice& po) {
        EXPECT_TRUE(invarianty(po));
        soucet += pocet(po, hloubka - 1);
    });
    return soucet;
}

class PocetTahu : public ::testing::Test {
  protected:
    std::unique_ptr<Sachovnice> hra = novahra();
    void SetUp() override { hra->knihovna.clear(); }
};

TEST_F(PocetTahu, FromTheStartToDepthThree) {
    EXPECT_EQ(pocet(*hra, 1), 20);
    EXPECT_EQ(pocet(*hra, 2), 400);
    EXPECT_EQ(pocet(*hra, 3), 8902);
}

TEST_F(PocetTahu, CastlingPromotionsAndChecks) {
    postavfen(*hra, "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R", true, "KQ");
    EXPECT_EQ(pocet(*hra, 1), 44);
    EXPECT_EQ(pocet(*hra, 2), 1486);
    EXPECT_EQ(pocet(*hra, 3), 62379);
}

TEST_F(PocetTahu, TheSamePositionForEitherColour) {
    postavfen(*hra, "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1", true, "kq");
    EXPECT_EQ(pocet(*hra, 1), 6);
    EXPECT_EQ(pocet(*hra, 2), 264);
    postavfen(*hra, "r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R", false, "KQ");
    EXPECT_EQ(pocet(*hra, 1), 6);
    EXPECT_EQ(pocet(*hra, 2), 264);
}

} // namespace
