// Start-up of the real program when SDL cannot start: the message, and a
// failing exit status instead of a game drawn into nothing.
#include "app/displej.h"
#include "app/shell.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <sys/wait.h>

namespace {

// What the real program writes to its standard output, started by `prikaz`
// (a shell command line ahead of the program); `stav` its wait status.
std::string vystupprogramu(const std::string& prikaz, int& stav) {
    // A program that runs on instead of failing is stopped, not waited for.
    const std::string cely =
        prikaz + " timeout -k 1 20 " + SACHY_BINARY + " 2>/dev/null </dev/null";
    FILE* roura = popen(cely.c_str(), "r");
    if (roura == nullptr) {
        stav = -1;
        return {};
    }
    std::string vystup;
    char buf[256];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, roura)) > 0;) {
        vystup.append(buf, n);
    }
    stav = pclose(roura);
    return vystup;
}

TEST(Spusteni, WithoutVideoTheProgramSaysSoAndFails) {
    int stav = 0;
    const std::string vystup = vystupprogramu("SDL_VIDEODRIVER=nosuch", stav);
    const std::string zprava = "Inicializace SDL se nezdarila: ";
    EXPECT_EQ(zprava + "%s", ZPRAVA_SDL);
    EXPECT_EQ(vystup.compare(0, zprava.size(), zprava), 0) << vystup;
    EXPECT_GT(vystup.size(), zprava.size()); // SDL's own reason follows
    EXPECT_NE(vystup.back(), '\n');
    ASSERT_TRUE(WIFEXITED(stav));
    EXPECT_NE(WEXITSTATUS(stav), 0);
}

// With no display SDL would pick a driver of its own that shows nothing
// (ASCII art in a terminal on classic SDL 1.2, nowhere on sdl12-compat):
// the program reports the window it cannot show, and stops.
TEST(Spusteni, WithoutADisplayTheProgramSaysSoAndFails) {
    int stav = 0;
    const std::string vystup =
        vystupprogramu("env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER TERM=xterm", stav);
    const std::string zprava = "Vytvoren\xED okna se nezdarilo: nenalezen zadny displej";
    // An ASCII-art driver has written to the terminal first; the message comes last.
    const std::size_t kde = vystup.rfind(zprava);
    ASSERT_NE(kde, std::string::npos) << vystup;
    EXPECT_EQ(vystup.back(), ')') << vystup.substr(kde);
    ASSERT_TRUE(WIFEXITED(stav));
    EXPECT_NE(WEXITSTATUS(stav), 0);
    EXPECT_NE(WEXITSTATUS(stav), 124) << "still running when stopped";
}

TEST(Spusteni, OnlyADriverThatShowsNothingAndWasNotAskedForIsRefused) {
    struct Pripad {
        const char* ovladac;
        const char* promenna; // SDL_VIDEODRIVER, null when unset
        bool odmitnut;
    };
    const Pripad pripady[] = {
        {"x11", nullptr, false},
        {"wayland", nullptr, false},
        {"kmsdrm", nullptr, false},
        {"fbcon", nullptr, false},
        {"caca", nullptr, true},
        {"aalib", nullptr, true},
        {"offscreen", nullptr, true},
        {"dummy", "", true},
        {"dummy", "dummy", false},
        {"dummy", "DUMMY", false},
        {"caca", "caca", false},
        {"offscreen", "wayland,x11,offscreen", false},
        {"offscreen", "wayland,x11", true},
        {"dummy", "dummyx", true},
        {"dummy", "dumm", true},
        {"dummy", ",", true},
    };
    for (const Pripad& p : pripady) {
        const bool odmitnut = ovladacbezokna(p.ovladac) && !ovladaczvolen(p.ovladac, p.promenna);
        EXPECT_EQ(odmitnut, p.odmitnut)
            << p.ovladac << " with SDL_VIDEODRIVER=" << (p.promenna ? p.promenna : "(unset)");
    }
}

TEST(Spusteni, TheWindowMessageCarriesTheSingleByteAccent) {
    const unsigned char ocekavane[] = {'V', 'y', 't', 'v', 'o', 'r', 'e', 'n', 0xED, ' '};
    ASSERT_GT(std::strlen(ZPRAVA_OKNO), sizeof ocekavane);
    EXPECT_EQ(std::memcmp(ZPRAVA_OKNO, ocekavane, sizeof ocekavane), 0);
    EXPECT_STREQ(ZPRAVA_OKNO + sizeof ocekavane, "okna se nezdarilo: %s");
}

} // namespace
