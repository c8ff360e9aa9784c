#include "view/udalosti.h"
#include "view/zobrazeni.h"

#include <SDL_syswm.h>
#include <cerrno>
#include <poll.h>

namespace {
// The X display's connection, or -1 when the video driver is not X11.
int spojenisdisplejem() {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) != 1 || info.subsystem != SDL_SYSWM_X11) {
        return -1;
    }
    return ConnectionNumber(info.info.x11.display);
}
} // namespace

bool cekejnaudalost(SDL_Event& udalost) {
    // SDL 1.2's own wait looks for events every 10 ms. Under X11 the game
    // sleeps on the display's connection instead, so that an idle window
    // takes no processor time: reading the queue drains everything the
    // connection had delivered, so any new event wakes the poll.
    const int spojeni = spojenisdisplejem();
    if (spojeni < 0) {
        ukaznevyrizene();
        return SDL_WaitEvent(&udalost) == 1;
    }
    for (;;) {
        // Whatever waits must be on the screen before the game sleeps.
        ukaznevyrizene();
        if (SDL_PollEvent(&udalost) == 1) {
            return true;
        }
        pollfd cekani{spojeni, POLLIN, 0};
        if (poll(&cekani, 1, 1000) < 0 && errno != EINTR) {
            return SDL_WaitEvent(&udalost) == 1;
        }
    }
}
