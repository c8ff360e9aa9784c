#include "app/displej.h"

#include <SDL.h>

#include <cstdlib>
#include <string_view>
#include <strings.h>

namespace {
bool stejnejmeno(std::string_view a, std::string_view b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}
} // namespace

bool ovladacbezokna(const char* ovladac) {
    // aalib and caca: ASCII art in a terminal (classic SDL 1.2); dummy, and
    // SDL 2's offscreen and evdev: memory only.
    for (const char* jmeno : {"aalib", "caca", "dummy", "offscreen", "evdev"}) {
        if (stejnejmeno(ovladac, jmeno)) {
            return true;
        }
    }
    return false;
}

bool ovladaczvolen(const char* ovladac, const char* promenna) {
    if (promenna == nullptr) {
        return false;
    }
    std::string_view zbytek(promenna);
    for (;;) {
        const std::size_t carka = zbytek.find(',');
        if (stejnejmeno(zbytek.substr(0, carka), ovladac)) {
            return true;
        }
        if (carka == std::string_view::npos) {
            return false;
        }
        zbytek.remove_prefix(carka + 1);
    }
}

std::string duvodbezokna() {
    char jmeno[64];
    if (SDL_VideoDriverName(jmeno, sizeof jmeno) == nullptr || !ovladacbezokna(jmeno) ||
        ovladaczvolen(jmeno, std::getenv("SDL_VIDEODRIVER"))) {
        return {};
    }
    return std::string("nenalezen zadny displej (ovladac videa ") + jmeno + " okno neukaze)";
}
