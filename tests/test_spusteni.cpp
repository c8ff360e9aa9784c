// Start-up of the real program when SDL cannot start: the message, and a
// failing exit status instead of a game drawn into nothing.
#include "app/shell.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <sys/wait.h>

namespace {

TEST(Spusteni, WithoutVideoTheProgramSaysSoAndFails) {
    const std::string prikaz =
        std::string("SDL_VIDEODRIVER=nosuch ") + SACHY_BINARY + " 2>/dev/null";
    FILE* roura = popen(prikaz.c_str(), "r");
    ASSERT_NE(roura, nullptr);
    std::string vystup;
    char buf[256];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, roura)) > 0;) {
        vystup.append(buf, n);
    }
    const int stav = pclose(roura);
    const std::string zprava = "Inicializace SDL se nezdarila: ";
    EXPECT_EQ(zprava + "%s", ZPRAVA_SDL);
    EXPECT_EQ(vystup.compare(0, zprava.size(), zprava), 0) << vystup;
    EXPECT_GT(vystup.size(), zprava.size()); // SDL's own reason follows
    EXPECT_NE(vystup.back(), '\n');
    ASSERT_TRUE(WIFEXITED(stav));
    EXPECT_NE(WEXITSTATUS(stav), 0);
}

TEST(Spusteni, TheWindowMessageCarriesTheSingleByteAccent) {
    const unsigned char ocekavane[] = {'V', 'y', 't', 'v', 'o', 'r', 'e', 'n', 0xED, ' '};
    ASSERT_GT(std::strlen(ZPRAVA_OKNO), sizeof ocekavane);
    EXPECT_EQ(std::memcmp(ZPRAVA_OKNO, ocekavane, sizeof ocekavane), 0);
    EXPECT_STREQ(ZPRAVA_OKNO + sizeof ocekavane, "okna se nezdarilo: %s");
}

} // namespace
