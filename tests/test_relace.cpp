// A long session through the shell: a thousand new games in both modes, with
// redraws, rotations and promotions. Memory in use must stay flat; under
// valgrind the same session shows any leak or invalid access.
#include "app/shell.h"
#include "podpora.h"

#include <malloc.h>
#include <unistd.h>

namespace {

std::size_t vpouziti() {
    return mallinfo2().uordblks;
}

// Plays a White pawn to the last row through the shell and picks a piece.
void promuj(Aplikace& app, int volba_x) {
    Sachovnice& hra = *app.hra;
    postav(hra, {{BILY_KRAL, 0, 4}, {CERNY_KRAL, 7, 4}, {BILY_PESEC, 6, 0}});
    stiskni(volba_x, 360);
    for (const Pozice& p : {Pozice{6, 0}, Pozice{7, 0}}) {
        const SDL_Rect s = stredpole(hra, p.first, p.second);
        zpracujudalost(app, mys(s.x, s.y));
    }
}

TEST(Relace, ThousandNewGamesKeepMemoryFlat) {
    obrazovka = obrazovkatestu();
    ASSERT_EQ(chdir(SACHY_ASSETS), 0);
    vyprazdnifrontu();
    Aplikace app;
    spust(app);
    [[maybe_unused]] std::size_t po_prvnich = 0; // after the first hundred games
    for (int i = 0; i < 1000; ++i) {
        zpracujudalost(app, mys(470, i % 2 ? 165 : 115)); // a new game, either mode
        zpracujudalost(app, mys(450, 65));                // rotate
        if (i % 10 == 0) {
            promuj(app, 102 + (i / 10 % 4) * 34);
            ASSERT_EQ(app.hra->pole[7][0]->typ, BILY_KUN + i / 10 % 4);
        }
        ASSERT_TRUE(invarianty(*app.hra));
        if (i == 99) {
            po_prvnich = vpouziti();
        }
    }
#if !defined(__SANITIZE_ADDRESS__)
    // The allocator's bytes in use, after the heap has settled. A game left
    // behind each time would add over 100 kB a game; opening and closing the
    // dialog's font costs the allocator a few bytes of slack now and then.
    EXPECT_LT(vpouziti(), po_prvnich + 64 * 1024);
#endif
    app.hra.reset();
    vyprazdnifrontu();
}

} // namespace
