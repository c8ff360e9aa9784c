// The opening book: decoding, the tree, following it, and the computer's book moves.
#include "podpora.h"

#include <sstream>

namespace {

class Knihovna : public ::testing::Test {
  protected:
    std::unique_ptr<Sachovnice> hra = novahra();

    void nacti(const std::string& text) {
        hra->knihovna.clear();
        hra->uzel = 0;
        std::istringstream vstup(text);
        hra->nactiknihovnu(vstup);
    }
    int n() const { return static_cast<int>(hra->knihovna.size()); }
    // The node a code leads to from `uzel`, or -1 when the code is not there.
    int hodnota(int uzel, int kod) const {
        const auto& m = hra->knihovna.at(uzel);
        const auto it = m.find(kod);
        return it == m.end() ? -1 : it->second;
    }
    void tah(Pozice z, Pozice na) {
        ASSERT_TRUE(klikni(*hra, z.first, z.second));
        ASSERT_TRUE(klikni(*hra, na.first, na.second));
    }
};

TEST_F(Knihovna, TokensToCodes) {
    const std::pair<const char*, int> tabulka[] = {
        {"e2e4", 4143}, {"E2E4", 4143}, {"g8f6", 6755},  {"b1c3", 1022}, {"a1a2", 1},
        {"h8h1", 7770}, {"e7e8", 4647}, {"exd5", 14034}, {"Nf3", 0},     {"o-o", 0},
        {"0-0", 0},     {"O-O", 8},     {"O-O-O", 9},    {"a1a9", 100},  {"a2a1", 100},
        {"", 0},        {"e2e4e5", 0},
    };
    for (const auto& [token, kod] : tabulka) {
        EXPECT_EQ(hra->kodtahu(token), kod) << token;
    }
    EXPECT_EQ(hra->radekznaku('\xED'), 100);
    EXPECT_EQ(hra->sloupecznaku('i'), 100);
    EXPECT_EQ(hra->sloupecznaku('H'), 7);
}

TEST_F(Knihovna, TheWorkedExampleBuildsFourNodes) {
    nacti("e2e4 e7e5 g1f3\ne2e4 c7c5\nd2d4 d7d5\n");
    ASSERT_EQ(n(), 4);
    EXPECT_EQ(hra->knihovna[0], (std::map<int, int>{{3133, 3}, {4143, 1}}));
    EXPECT_EQ(hodnota(1, 4644), 2);
    EXPECT_EQ(hra->knihovna[1].size(), 2u);
    EXPECT_EQ(hra->knihovna[2].size(), 1u);
    EXPECT_EQ(hra->knihovna[3].size(), 1u);
    // Lines' last moves lead out of the book.
    EXPECT_GE(hodnota(1, 2624), n());
    EXPECT_GE(hodnota(2, 6052), n());
    EXPECT_GE(hodnota(3, 3634), n());
}

TEST_F(Knihovna, FileShapes) {
    const std::pair<const char*, int> tabulka[] = {
        {"", 0},
        {"\ne2e4 e7e5\n", 0},
        {"e2e4 e7e5\n", 2},
        {"e2e4 e7e5", 2}, // a last line without a line feed counts too
        {"e2e4 e7e5\n\nd2d4 d7d5\n", 2},
        {"   \t \nd2d4\n", 0},
        {"  e2e4 \t\t e7e5  \r\n", 2},
        {"e2e4 e7e5\r\ne2e4 e7e5\r\n", 2},
        {"e2e4 e7e5\ne2e4 e7e5\ne2e4\n", 2},
    };
    for (const auto& [text, uzlu] : tabulka) {
        nacti(text);
        EXPECT_EQ(n(), uzlu) << text;
        if (uzlu == 2) {
            EXPECT_EQ(hra->knihovna[0], (std::map<int, int>{{4143, 1}})) << text;
            ASSERT_EQ(hra->knihovna[1].size(), 1u) << text;
            EXPECT_GE(hodnota(1, 4644), n()) << text;
        }
    }
}

TEST_F(Knihovna, ALineThatContinuesAnEndedLineGetsItsOwnNode) {
    // Line 2 appends a node between line 1's end and line 3, which continues line 1.
    nacti("e2e4 e7e5\nd2d4 d7d5 c2c4\ne2e4 e7e5 g1f3 b8c6\n");
    const int po_e5 = hodnota(1, 4644);
    ASSERT_GE(po_e5, 0);
    ASSERT_LT(po_e5, n());
    EXPECT_EQ(hra->knihovna[po_e5], (std::map<int, int>{{6052, po_e5 + 1}}));
    EXPECT_EQ(hra->knihovna[po_e5 + 1].count(1725), 1u);
    // Line 2's own nodes are untouched.
    const int po_d4 = hodnota(0, 3133);
    EXPECT_EQ(hra->knihovna[po_d4].count(3634), 1u);
    EXPECT_EQ(hra->knihovna[po_d4].size(), 1u);

    // Without a line in between, the continuation is the next node, as always.
    nacti("e2e4 e7e5\ne2e4 e7e5 g1f3\n");
    EXPECT_EQ(n(), 3);
    EXPECT_EQ(hodnota(1, 4644), 2);
    EXPECT_GE(hodnota(2, 6052), n());
}

TEST_F(Knihovna, EndedLinesNeverLeadIntoAnotherLinesNode) {
    nacti("e2e4 e7e5\nd2d4 d7d5 c2c4 e7e6\n");
    EXPECT_GE(hodnota(1, 4644), n());
    hra->posunuzel(4143);
    hra->posunuzel(4644);
    EXPECT_FALSE(hra->vknihovne());
}

TEST_F(Knihovna, CursorFollowsAndLeavesForGood) {
    nacti("e2e4 e7e5 g1f3\n");
    hra->posunuzel(4143);
    EXPECT_EQ(hra->uzel, 1);
    hra->posunuzel(3133); // not in the book
    EXPECT_EQ(hra->uzel, n());
    hra->posunuzel(4143); // a key of node 0 does not bring it back
    EXPECT_EQ(hra->uzel, n());

    nacti("");
    hra->posunuzel(4143);
    EXPECT_EQ(hra->uzel, 0);
    EXPECT_FALSE(hra->vknihovne());
}

TEST_F(Knihovna, ComputerPlaysTheSmallestLegalReply) {
    // c7c5 (2624) is smaller than e7e5 (4644), whichever line comes first.
    nacti("e2e4 e7e5 g1f3\ne2e4 c7c5 g1f3\n");
    tah({1, 4}, {3, 4});
    EXPECT_EQ(hra->tahpocitace(false, false), 0);
    EXPECT_EQ(hra->pole[4][2]->typ, CERNY_PESEC);
    EXPECT_EQ(hra->pole[6][2]->typ, PRAZDNO);
    EXPECT_TRUE(hra->natahu);
    EXPECT_TRUE(hra->vknihovne());
    EXPECT_TRUE(invarianty(*hra));
    // White's g1f3 is the end of that line; the next reply is searched.
    tah({0, 6}, {2, 5});
    EXPECT_FALSE(hra->vknihovne());
    EXPECT_EQ(hra->tahpocitace(false, false), 0);
    EXPECT_TRUE(hra->natahu);
    EXPECT_TRUE(invarianty(*hra));
}

TEST_F(Knihovna, IllegalEntriesArePassedOver) {
    // Smaller codes that are no legal move for Black after e2e4: code 0, a
    // code naming row 8 or 9, an empty from-square, a White piece, a blocked
    // bishop; then the legal d7d5 (3634).
    nacti("e2e4 xxxx\ne2e4 a1a1\ne2e4 a9a8\ne2e4 a3a4\ne2e4 b2b3\ne2e4 c8a6\n"
          "e2e4 Nf6\ne2e4 d7d5\n");
    tah({1, 4}, {3, 4});
    ASSERT_TRUE(hra->vknihovne());
    EXPECT_EQ(hra->tahpocitace(false, false), 0);
    EXPECT_EQ(hra->pole[4][3]->typ, CERNY_PESEC);
    EXPECT_EQ(hra->pole[0][0]->typ, BILA_VEZ);
    EXPECT_TRUE(invarianty(*hra));

    // With no legal entry at all the computer leaves the book and searches at once.
    hra = novahra();
    nacti("e2e4 e2e4 d2d4\n");
    tah({1, 4}, {3, 4});
    EXPECT_EQ(hra->tahpocitace(false, false), 0);
    EXPECT_TRUE(hra->natahu);
    EXPECT_FALSE(hra->vknihovne());
    EXPECT_EQ(hra->pole[5][5]->typ, CERNY_KUN); // the search's tie-break: g8f6
    EXPECT_TRUE(invarianty(*hra));
}

TEST_F(Knihovna, BookCastlingForBlack) {
    for (const int kod : {8, 9}) {
        SCOPED_TRACE(kod);
        const bool kralovska = kod == 8;
        postav(*hra, {{BILY_KRAL, 0, 4},
                      {CERNY_KRAL, 7, 4},
                      {CERNA_VEZ, 7, 0},
                      {CERNA_VEZ, 7, 7},
                      {BILY_PESEC, 1, 0}});
        hra->natahu = false;
        hra->knihovna = {{{kod, 1}}, {{1020, 2}}};
        hra->uzel = 0;
        Figura* kral = hra->kralcerny;
        Figura* vez = hra->pole[7][kralovska ? 7 : 0];
        EXPECT_EQ(hra->tahpocitace(false, false), 0);
        EXPECT_EQ(hra->pole[7][kralovska ? 6 : 2], kral);
        EXPECT_EQ(hra->pole[7][kralovska ? 5 : 3], vez);
        EXPECT_EQ(hra->pole[7][4]->typ, PRAZDNO);
        EXPECT_EQ(hra->pole[7][kralovska ? 7 : 0]->typ, PRAZDNO);
        EXPECT_FALSE(kral->nepohnuta);
        EXPECT_FALSE(vez->nepohnuta);
        EXPECT_TRUE(hra->natahu);
        EXPECT_EQ(hra->uzel, 1);
        EXPECT_TRUE(invarianty(*hra));
    }
    // Castling the book cannot make (the king has moved) is passed over.
    postav(*hra, {{BILY_KRAL, 0, 4}, {CERNY_KRAL, 7, 4}, {CERNA_VEZ, 7, 7}, {CERNY_PESEC, 6, 0}});
    hra->kralcerny->nepohnuta = false;
    hra->natahu = false;
    hra->knihovna = {{{8, 1}, {605, 2}}, {{1, 2}}, {{1, 3}}};
    hra->uzel = 0;
    EXPECT_EQ(hra->tahpocitace(false, false), 0);
    EXPECT_EQ(hra->pole[7][4], hra->kralcerny);
    EXPECT_EQ(hra->pole[5][0]->typ, CERNY_PESEC);
    EXPECT_EQ(hra->uzel, 2);
}

TEST_F(Knihovna, BookMovesOfKingAndRookAndPromotion) {
    postav(*hra, {{BILY_KRAL, 0, 4}, {CERNY_KRAL, 7, 4}, {CERNA_VEZ, 7, 7}, {CERNY_PESEC, 1, 0}});
    hra->natahu = false;
    hra->knihovna = {{{7776, 1}}, {{1, 2}}};
    Figura* vez = hra->pole[7][7];
    EXPECT_EQ(hra->tahpocitace(false, false), 0);
    EXPECT_EQ(hra->pole[6][7], vez);
    EXPECT_FALSE(vez->nepohnuta);

    hra->natahu = false;
    hra->knihovna = {{{10, 1}}, {{1, 2}}};
    hra->uzel = 0;
    EXPECT_EQ(hra->tahpocitace(false, false), 0);
    EXPECT_EQ(hra->pole[0][0]->typ, CERNA_DAMA);
    EXPECT_TRUE(invarianty(*hra));

    // A code with a 100 from an unreadable character loses its last digit:
    // exd5 (14034) is read as b5a4.
    postav(*hra, {{BILY_KRAL, 0, 7}, {CERNY_KRAL, 7, 7}, {CERNY_STRELEC, 4, 1}});
    hra->natahu = false;
    hra->knihovna = {{{14034, 1}}, {{1, 2}}};
    hra->uzel = 0;
    EXPECT_EQ(hra->tahpocitace(false, false), 0);
    EXPECT_EQ(hra->pole[3][0]->typ, CERNY_STRELEC);
    EXPECT_EQ(hra->uzel, 1);

    // A book move onto a king is passed over.
    postav(*hra, {{BILY_KRAL, 0, 4}, {CERNY_KRAL, 7, 0}, {CERNA_VEZ, 5, 4}});
    hra->natahu = false;
    hra->knihovna = {{{4540, 1}}, {{1, 2}}};
    hra->uzel = 0;
    EXPECT_EQ(hra->tahpocitace(false, false), 0);
    EXPECT_EQ(hra->pole[0][4], hra->kralbily);
    EXPECT_FALSE(hra->vknihovne());
    EXPECT_TRUE(invarianty(*hra));
}

TEST(KnihovnaSouboru, ReadFromTheWorkingDirectory) {
    {
        DocasnyAdresar adresar;
        adresar.zapis("a.txt", "e2e4 e7e5 g1f3");
        Sachovnice hra(obrazovkatestu());
        EXPECT_EQ(hra.knihovna.size(), 3u);
    }
    {
        DocasnyAdresar adresar;
        Sachovnice hra(obrazovkatestu());
        EXPECT_TRUE(hra.knihovna.empty());
        EXPECT_FALSE(hra.vknihovne());
    }
    {
        DocasnyAdresar adresar;
        adresar.zapis("a.txt", std::string("\0\xff\x01 e2\0e4\n\n", 12));
        Sachovnice hra(obrazovkatestu());
        EXPECT_TRUE(invarianty(hra));
    }
}

} // namespace
