// The check test: is the king of the side to move unattacked?
#include "podpora.h"

namespace {

struct Pripad {
    const char* nazev;
    bool natahu;
    std::initializer_list<Umisteni> figury;
    bool bezpecny;
};

TEST(Sach, AttackersAndWhatBlocksThem) {
    auto hra = novahra();
    EXPECT_TRUE(hra->nenisach());
    hra->natahu = false;
    EXPECT_TRUE(hra->nenisach());

    // White king on (3, 3) unless the case says otherwise; Black king far away.
    constexpr Umisteni K{BILY_KRAL, 3, 3};
    constexpr Umisteni k{CERNY_KRAL, 7, 7};
    const Pripad pripady[] = {
        {"alone", true, {K, k}, true},
        {"black pawn up-left", true, {K, k, {CERNY_PESEC, 4, 2}}, false},
        {"black pawn up-right", true, {K, k, {CERNY_PESEC, 4, 4}}, false},
        {"black pawn behind", true, {K, k, {CERNY_PESEC, 2, 2}}, true},
        {"black pawn in front", true, {K, k, {CERNY_PESEC, 4, 3}}, true},
        {"own pawn diagonal", true, {K, k, {BILY_PESEC, 4, 4}}, true},
        {"king on column 1, pawn on column 0",
         true,
         {{BILY_KRAL, 3, 1}, k, {CERNY_PESEC, 4, 0}},
         false},
        {"king on row 7, no pawn row",
         true,
         {{BILY_KRAL, 7, 3}, {CERNY_KRAL, 0, 0}, {CERNY_PESEC, 6, 2}},
         true},
        {"white pawn attacks black",
         false,
         {{CERNY_KRAL, 5, 5}, {BILY_KRAL, 0, 0}, {BILY_PESEC, 4, 4}},
         false},
        {"white pawn ahead of black",
         false,
         {{CERNY_KRAL, 5, 5}, {BILY_KRAL, 0, 0}, {BILY_PESEC, 6, 4}},
         true},
        {"bishop far diagonal", true, {K, k, {CERNY_STRELEC, 0, 0}}, false},
        {"queen diagonal", true, {K, k, {CERNA_DAMA, 6, 6}}, false},
        {"bishop behind own piece", true, {K, k, {BILY_KUN, 5, 5}, {CERNY_STRELEC, 6, 6}}, true},
        {"bishop behind enemy piece", true, {K, k, {CERNY_KUN, 5, 5}, {CERNY_STRELEC, 6, 6}}, true},
        {"rook on a diagonal", true, {K, k, {CERNA_VEZ, 5, 5}}, true},
        {"bishop on a line", true, {K, k, {CERNY_STRELEC, 3, 6}}, true},
        {"rook far row", true, {K, k, {CERNA_VEZ, 3, 0}}, false},
        {"queen far column", true, {K, k, {CERNA_DAMA, 7, 3}}, false},
        {"rook behind a pawn", true, {K, k, {BILY_PESEC, 5, 3}, {CERNA_VEZ, 7, 3}}, true},
        {"enemy knight", true, {K, k, {CERNY_KUN, 5, 4}}, false},
        {"enemy knight over pieces",
         true,
         {K, k, {CERNY_KUN, 1, 2}, {BILY_PESEC, 2, 2}, {BILY_PESEC, 2, 3}},
         false},
        {"own knight", true, {K, k, {BILY_KUN, 5, 4}}, true},
        {"enemy king beside", true, {K, {CERNY_KRAL, 4, 4}}, false},
        {"enemy king two away", true, {K, {CERNY_KRAL, 5, 3}}, true},
        {"only the side to move counts", true, {K, k, {BILA_VEZ, 7, 0}}, true},
        {"black in check from rook", false, {K, k, {BILA_VEZ, 7, 0}}, false},
    };
    for (const auto& p : pripady) {
        SCOPED_TRACE(p.nazev);
        postav(*hra, p.figury);
        hra->natahu = p.natahu;
        const std::string pred = diagram(*hra);
        EXPECT_EQ(hra->nenisach(), p.bezpecny);
        EXPECT_EQ(diagram(*hra), pred);
    }
}

} // namespace
