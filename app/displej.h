// Whether the video driver SDL started on can show the player a window.
//
// Where no display is reachable (an ssh session, a text console), SDL falls
// back on its own to a driver that shows nothing a player can use: classic
// SDL 1.2 draws the window as ASCII art into the terminal (libcaca, aalib),
// sdl12-compat opens it nowhere (SDL 2's offscreen driver). The game would
// run on unseen; it says so and stops instead. A driver the user names in
// SDL_VIDEODRIVER is used whatever it is: the headless tests name "dummy".
#pragma once

#include <string>

// The driver draws nowhere a player sees: an ASCII-art or a memory-only driver.
bool ovladacbezokna(const char* ovladac);

// `ovladac` is the value of SDL_VIDEODRIVER (`promenna`, null when unset), or
// one of its comma-separated names as SDL 2 reads it; letter case aside.
bool ovladaczvolen(const char* ovladac, const char* promenna);

// Once SDL's video is initialised: why its driver will show no window when the
// user did not ask for that driver, else empty.
std::string duvodbezokna();
