// Our shipped opening book: every entry is a real move, and every line plays
// through move input from a fresh game.
#include "podpora.h"

#include <fstream>
#include <sstream>

namespace {

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
            ASSERT_TRUE(klikni(*hra, na.first, na.second));
            ASSERT_NE(hra->natahu, bily);
            ASSERT_TRUE(hra->vknihovne() || tahy.peek() == EOF);
        }
        EXPECT_GE(pultah, 10) << "line " << cislo;
        EXPECT_TRUE(invarianty(*hra));
    }
    EXPECT_GE(cislo, 100);
}

} // namespace
