// The web version's counterpart of udalosti.cpp: the game runs in a browser
// page on Emscripten's SDL 1.2, which draws on the page's canvas.
#include "view/udalosti.h"
#include "view/zobrazeni.h"

#include <SDL_ttf.h>
#include <emscripten.h>

namespace {
// Sleeps until the page delivers input to SDL, with no timer meanwhile: an
// idle page takes no processor time. SDL's listeners sit on the canvas and
// the document; these sit on the window, where the same events arrive after
// SDL has queued them, so the queue holds the event once the game wakes.
// Asyncify hands the page back to the browser while the game sleeps. The page
// hears of every wait through Module.cekani.
EM_ASYNC_JS(void, spidovstupu, (), {
    if (Module["cekani"]) {
        Module["cekani"]();
    }
    await new Promise(function(probud) {
        var druhy = [
            "mousedown", "mouseup", "mousemove", "mouseout", "wheel", "touchstart", "touchend",
            "touchmove", "keydown", "keyup", "keypress", "focus", "blur", "visibilitychange",
            "unload"
        ];
        function vstup() {
            druhy.forEach(function(druh) { window.removeEventListener(druh, vstup); });
            probud();
        }
        druhy.forEach(function(druh) { window.addEventListener(druh, vstup); });
    });
});

// Whether TTF_Init has set up the canvas SDL_ttf draws its text with.
EM_JS(int, ttfbezi, (), { return SDL.ttfContext ? 1 : 0; });
} // namespace

// Emscripten's SDL_ttf lacks this one.
extern "C" int TTF_WasInit() {
    return ttfbezi();
}

bool cekejnaudalost(SDL_Event& udalost) {
    for (;;) {
        // Whatever waits must be on the screen before the game sleeps.
        ukaznevyrizene();
        if (SDL_PollEvent(&udalost) == 1) {
            return true;
        }
        spidovstupu();
    }
}
