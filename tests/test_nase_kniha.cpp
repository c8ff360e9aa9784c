// Our shipped opening book: every entry is a real move, every line plays
// through move input from a fresh game, and the computer plays every line:
// a Black node holds its one reply, and each of White's first moves is answered.
#include "podpora.h"

#include <fstream>
#include <sstream>
#include <vector>

namespace {

// Where a pawn's promotion dialog shows the queen.
constexpr int DAMA_X = 102 + 17 + 34 * 3;
constexpr int DAMA_Y = 367;

TEST(NaseKniha, LoadsOnlyRealMoves) {
    auto hra = novahra();
    ASSERT_GT(hra->knihovna.size(), 100u);
    for (const auto& uzel : hra->knihovna) {
        ASSERT_FALSE(uzel.empty());
        for (const auto& [kod, dalsi] : uzel) {
            (void)dalsi;
            if (kod == 8 || kod == 9) {
                continue;
            }
            EXPECT_GT(kod, 0);
            EXPECT_LE(kod, 7777);
            for (int d = kod; d > 0; d /= 10) {
                EXPECT_LE(d % 10, 7) << kod;
            }
        }
    }
}

TEST(NaseKniha, EveryLinePlaysThroughMoveInput) {
    std::ifstream soubor(std::string(SACHY_ASSETS) + "/a.txt");
    ASSERT_TRUE(soubor);
    std::string radek;
    int cislo = 0;
    while (std::getline(soubor, radek)) {
        ++cislo;
        auto hra = novahra();
        std::istringstream tahy(radek);
        int pultah = 0;
        for (std::string t; tahy >> t; ++pultah) {
            SCOPED_TRACE("line " + std::to_string(cislo) + ", move " + t);
            const bool bily = hra->natahu;
            const int rada = bily ? 0 : 7;
            Pozice z, na;
            if (t == "O-O" || t == "O-O-O") {
                z = {rada, 4};
                na = {rada, t == "O-O" ? 6 : 2};
            } else {
                ASSERT_EQ(t.size(), 4u);
                z = {t[1] - '1', t[0] - 'a'};
                na = {t[3] - '1', t[2] - 'a'};
            }
            ASSERT_TRUE(klikni(*hra, z.first, z.second));
            const bool promena =
                druh(hra->pole[z.first][z.second]->typ) == BILY_PESEC && na.first == (bily ? 7 : 0);
            if (promena) {
                // The computer makes its pawns queens; so does the player here.
                vyprazdnifrontu();
                stiskni(DAMA_X, DAMA_Y);
            }
            ASSERT_TRUE(klikni(*hra, na.first, na.second));
            ASSERT_NE(hra->natahu, bily);
            if (promena) {
                EXPECT_EQ(hra->pole[na.first][na.second]->typ, typbarvy(BILA_DAMA, bily));
            }
            ASSERT_TRUE(hra->vknihovne() || tahy.peek() == EOF);
        }
        EXPECT_GE(pultah, 10) << "line " << cislo;
        EXPECT_TRUE(invarianty(*hra));
    }
    EXPECT_GE(cislo, 100);
}

// The computer plays the smallest legal entry of its node, so a second reply
// at a Black node would be dead, and so would every line through it.
TEST(NaseKniha, BlackNodesHoldOneReply) {
    auto hra = novahra();
    const auto& knihovna = hra->knihovna;
    const int n = static_cast<int>(knihovna.size());
    std::vector<int> hloubka(knihovna.size(), -1);
    hloubka[0] = 0;
    std::vector<int> fronta{0};
    for (std::size_t i = 0; i < fronta.size(); ++i) {
        const int u = fronta[i];
        if (hloubka[u] % 2 == 1) {
            EXPECT_EQ(knihovna[u].size(), 1u) << "node " << u << " at ply " << hloubka[u];
        }
        for (const auto& [kod, dalsi] : knihovna[u]) {
            (void)kod;
            if (dalsi < n) {
                ASSERT_EQ(hloubka[dalsi], -1) << "node " << dalsi << " has two parents";
                hloubka[dalsi] = hloubka[u] + 1;
                fronta.push_back(dalsi);
            }
        }
    }
    EXPECT_EQ(fronta.size(), knihovna.size()) << "nodes the start does not reach";
}

// Whatever White opens with, the computer answers from the book and the game
// stays in it.
TEST(NaseKniha, ComputerAnswersEveryFirstMove) {
    std::vector<std::pair<Pozice, Pozice>> tahy;
    for (int sloupec = 0; sloupec < 8; ++sloupec) {
        tahy.push_back({{1, sloupec}, {2, sloupec}});
        tahy.push_back({{1, sloupec}, {3, sloupec}});
    }
    for (const int kun : {1, 6}) {
        tahy.push_back({{0, kun}, {2, kun - 1}});
        tahy.push_back({{0, kun}, {2, kun + 1}});
    }
    for (const auto& [z, na] : tahy) {
        const std::string jmeno{char('a' + z.second), char('1' + z.first), char('a' + na.second),
                                char('1' + na.first)};
        SCOPED_TRACE(jmeno);
        auto hra = novahra();
        ASSERT_TRUE(klikni(*hra, z.first, z.second));
        ASSERT_TRUE(klikni(*hra, na.first, na.second));
        ASSERT_TRUE(hra->vknihovne());
        const auto& uzel = hra->knihovna[hra->uzel];
        ASSERT_EQ(uzel.size(), 1u);
        const auto [kod, dalsi] = *uzel.begin();

        EXPECT_EQ(hra->tahpocitace(false, false), 0);
        const Pozice odkud{kod / 100 % 10, kod / 1000};
        const Pozice kam{kod % 10, kod / 10 % 10};
        EXPECT_EQ(hra->pole[odkud.first][odkud.second]->typ, PRAZDNO);
        EXPECT_TRUE(jebarvy(hra->pole[kam.first][kam.second]->typ, false));
        EXPECT_EQ(hra->uzel, dalsi);
        EXPECT_TRUE(hra->vknihovne());
        EXPECT_TRUE(hra->natahu);
        EXPECT_TRUE(invarianty(*hra));
    }
}

} // namespace
