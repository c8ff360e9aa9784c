// The book checker: each kind of broken line is found at its line and move,
// and what the game plays through is not reported.
#include "book/kontrola.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct Ocekavani {
    int radek;
    int tah;
    const char* token;
    const char* vduvodu; // a part of the reason
};

struct Pripad {
    const char* nazev;
    std::string kniha;
    std::vector<Ocekavani> nalezy;
};

VysledekKontroly zkontroluj(const std::string& kniha) {
    std::istringstream vstup(kniha);
    return zkontrolujknihovnu(vstup);
}

const char* const ITALSKA = "e2e4 e7e5 g1f3 b8c6 f1c4 f8c5";

TEST(KontrolaKnihy, FindsEachKindOfBrokenLineWhereItIs) {
    const std::string it = ITALSKA;
    const Pripad pripady[] = {
        {"clean lines, CRLF, tabs, shared and shadowed replies",
         "e2e4 e7e5 g1f3\r\n\t e2e4  c7c5 \nd2d4 d7d5 c2c4\n",
         {}},
        {"unparsable tokens anywhere in the line",
         "e2e4 e7e5 Nf3 b8c6\ne2e4 e7e9\nexd5 d7d5\n",
         {{1, 3, "Nf3", "neni tah"},
          {1, 4, "b8c6", "nedojde, linie skoncila u tahu 3"},
          {2, 2, "e7e9", "neni tah"},
          {3, 1, "exd5", "neni tah"},
          {3, 2, "d7d5", "nedojde"}}},
        {"illegal White move, and the moves after it",
         "e2e4 e7e5 e4e5 b8c6 g1f3 zz\n",
         {{1, 3, "e4e5", "tah bileho hra odmitne: pesec z e4 na e5 tahnout nemuze"},
          {1, 4, "b8c6", "nedojde, linie skoncila u tahu 3"},
          {1, 6, "zz", "neni tah"}}},
        {"illegal Black move",
         "e2e4 e7e4\n",
         {{1, 2, "e7e4", "pocitac tah cerneho preskoci: pesec z e7 na e4"}}},
        {"a move of the other side's piece, from an empty square, onto an own piece",
         "e7e5\ne3e4\ne2e4 d8d7\n",
         {{1, 1, "e7e5", "na e7 stoji cerny pesec, tahne druha strana"},
          {2, 1, "e3e4", "na e3 nestoji zadna figura"},
          {3, 2, "d8d7", "na d7 stoji vlastni figura (cerny pesec)"}}},
        {"a king stepping into check",
         "e2e4 d7d6 f1b5 e8d7\n",
         {{1, 4, "e8d7", "nechal by vlastniho krale v sachu"}}},
        {"castling: blocked, out of check, written as a king's move",
         "e2e4 e7e5 O-O\n" + it + " d2d3 g8f6 c4f7 O-O\n" + it + " e1g1\n" + it + " O-O e8g8\n",
         {{1, 3, "O-O", "tah bileho hra odmitne: rosada neni mozna"},
          {2, 10, "O-O", "pocitac tah cerneho preskoci: rosada ze sachu"},
          {3, 7, "e1g1", "rosada se pise O-O nebo O-O-O"},
          {4, 8, "e8g8", "rosada se pise O-O nebo O-O-O"}}},
        {"castling with a rook, not the king, on e1",
         it + " O-O g8f6 f1e1 d7d6 d2d3 c8g4 c1g5 d8d7 d1d2 a7a6 O-O-O\n",
         {{1, 17, "O-O-O", "tah bileho hra odmitne: rosada neni mozna"}}},
        {"castling through an attacked square",
         "e2e4 b7b6 g1f3 c8a6 g2g3 e7e6 f1g2 g8f6 O-O\n",
         {{1, 9, "O-O", "kral by prechazel pres napadene pole"}}},
        {"a White promotion plays on as a queen",
         "a2a4 b7b5 a4b5 a7a6 b5a6 c8b7 a6b7 g8f6 b7a8 e7e6 a8b8 d8c8\n",
         {}},
        {"an empty line ends the book; at the end it is harmless",
         "e2e4 e7e5\n\ne2e4 e7e4\n  \nd2d4\n",
         {{2, 0, "", "prazdny radek konci knihovnu, hra necte nic za nim (radku s tahy: 2)"}}},
        {"empty lines at the end", "e2e4 e7e5\n\n \n", {}},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.nazev);
        const VysledekKontroly v = zkontroluj(p.kniha);
        ASSERT_EQ(v.nalezy.size(), p.nalezy.size());
        for (std::size_t i = 0; i < p.nalezy.size(); ++i) {
            const Nalez& n = v.nalezy[i];
            const Ocekavani& o = p.nalezy[i];
            EXPECT_EQ(n.radek, o.radek) << n.duvod;
            EXPECT_EQ(n.tah, o.tah) << n.duvod;
            EXPECT_EQ(n.token, o.token) << n.duvod;
            EXPECT_NE(n.duvod.find(o.vduvodu), std::string::npos) << n.duvod;
        }
    }
}

TEST(KontrolaKnihy, CountsTheLinesTheGameReads) {
    EXPECT_EQ(zkontroluj("").linii, 0);
    EXPECT_EQ(zkontroluj("e2e4 e7e5\nd2d4\n\ne2e4\n").linii, 2);
    EXPECT_EQ(zkontroluj("e2e4 e7e5\nd2d4").linii, 2); // no line feed at the end
}

TEST(KontrolaKnihy, ReportsInTheFileLineMoveFormat) {
    EXPECT_EQ(popisnalezu("a.txt", {3, 5, "e2e5", "duvod"}), "a.txt:3:5: e2e5: duvod");
    EXPECT_EQ(popisnalezu("k/a.txt", {7, 0, "", "duvod"}), "k/a.txt:7: duvod");
}

} // namespace
