// The game object as construction leaves it.
#include "app/shell.h"
#include "podpora.h"

namespace {

TEST(Sachovnice, InitialPositionKingsAndState) {
    auto hra = novahra();
    EXPECT_TRUE(invarianty(*hra));
    EXPECT_EQ(diagram(*hra), VYCHOZI);
    EXPECT_EQ(hra->pole[0][4], hra->kralbily);
    EXPECT_EQ(hra->pole[7][4], hra->kralcerny);
    EXPECT_EQ(hra->kralbily->typ, 6);
    EXPECT_EQ(hra->kralcerny->typ, 12);
    for (int r = 2; r <= 5; ++r) {
        for (int c = 0; c < 8; ++c) {
            EXPECT_FALSE(hra->pole[r][c]->jefigura);
            EXPECT_FALSE(hra->pole[r][c]->barva);
        }
    }
    for (int c = 0; c < 8; ++c) {
        EXPECT_TRUE(hra->pole[0][c]->barva && hra->pole[1][c]->barva);
        EXPECT_FALSE(hra->pole[6][c]->barva || hra->pole[7][c]->barva);
    }
    EXPECT_TRUE(hra->natahu);
    EXPECT_TRUE(hra->otoceno);
    EXPECT_EQ(hra->stav, 0);
    EXPECT_EQ(hra->uzel, 0);
    EXPECT_EQ(hra->obrazovka, obrazovkatestu());
    EXPECT_EQ(hra->skokykone, SKOKY_KONE);
    EXPECT_EQ(hra->smerystrelce, SMERY_STRELCE);
    EXPECT_EQ(hra->smeryveze, SMERY_VEZE);
    EXPECT_EQ(hra->smerydamy, SMERY_DAMY);
    for (const auto& obrazek : hra->obrazky) {
        EXPECT_NE(obrazek, nullptr);
    }
}

TEST(Sachovnice, WithoutAnyAssetFileConstructionStillSucceeds) {
    DocasnyAdresar adresar;
    for (const char* jmeno : SOUBORY_OBRAZKU) {
        adresar.smaz(jmeno);
    }
    adresar.smaz("free.ttf");
    Sachovnice hra(obrazovkatestu());
    EXPECT_TRUE(invarianty(hra));
    EXPECT_TRUE(hra.knihovna.empty());
    for (const auto& obrazek : hra.obrazky) {
        EXPECT_EQ(obrazek, nullptr);
    }
    hra.vykresli(); // draws nothing, and does not crash
}

TEST(Sachovnice, GamesAreIndependent) {
    auto prvni = novahra();
    auto druha = novahra();
    EXPECT_NE(prvni->obrazky[0].get(), druha->obrazky[0].get());
    ASSERT_TRUE(klikni(*prvni, 1, 4));
    ASSERT_TRUE(klikni(*prvni, 3, 4));
    EXPECT_EQ(druha->pole[1][4]->typ, BILY_PESEC);
    EXPECT_FALSE(druha->natahu == prvni->natahu);
    prvni.reset();
    EXPECT_TRUE(invarianty(*druha));
}

} // namespace

namespace {

// sdl12-compat, unlike classic SDL 1.2, does not refuse a null surface:
// the drawing code must not hand it one.
TEST(Sachovnice, AGameWithoutAWindowDrawsNowhere) {
    const auto sobrazovkou = novahra(); // stands in the assets directory
    Sachovnice hra(nullptr);
    EXPECT_TRUE(invarianty(hra));
    hra.vykresli();
    hra.otoc();
    hra.smaz();
    hra.vypistext("x", 0, 0);
    hra.ukaz();
    EXPECT_FALSE(hra.otoceno);

    vyprazdnifrontu();
    stiskni(204, 350); // the queen
    EXPECT_EQ(hra.promena(), BILA_DAMA);

    Aplikace app;
    SDL_Surface* const okno = obrazovka;
    obrazovka = nullptr;
    vykreslitlacitka(app);
    obrazovka = okno;
    vyprazdnifrontu();
}

} // namespace
