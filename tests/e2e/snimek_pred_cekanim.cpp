// Preloaded into the real game by the end-to-end test of the screen's
// freshness. Whenever the game finds SDL's event queue empty, so that it is
// about to sleep until the player acts, and its window surface differs from
// the one last written, this writes the surface as raw RGB to
// $SACHY_SNIMEK/okno.rgb, creates $SACHY_SNIMEK/ceka and holds the game until
// the test deletes that file (at most 20 s). Meanwhile the test takes its
// screenshot: no event reaches the game, so nothing can bring a stale screen
// up to date before it is seen.
#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <functional>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

std::string obsahokna(SDL_Surface* okno) {
    std::string rgb;
    if (SDL_MUSTLOCK(okno) && SDL_LockSurface(okno) != 0) {
        return rgb;
    }
    rgb.reserve(static_cast<size_t>(okno->w) * okno->h * 3);
    for (int y = 0; y < okno->h; ++y) {
        const auto* radek = static_cast<const Uint8*>(okno->pixels) + y * okno->pitch;
        for (int x = 0; x < okno->w; ++x) {
            Uint32 hodnota = 0;
            const Uint8* p = radek + x * okno->format->BytesPerPixel;
            switch (okno->format->BytesPerPixel) {
            case 4:
                hodnota = *reinterpret_cast<const Uint32*>(p);
                break;
            case 2:
                hodnota = *reinterpret_cast<const Uint16*>(p);
                break;
            default:
                return std::string(); // the tests ask for 32 bits per pixel
            }
            Uint8 r, g, b;
            SDL_GetRGB(hodnota, okno->format, &r, &g, &b);
            rgb += static_cast<char>(r);
            rgb += static_cast<char>(g);
            rgb += static_cast<char>(b);
        }
    }
    if (SDL_MUSTLOCK(okno)) {
        SDL_UnlockSurface(okno);
    }
    return rgb;
}

void zastavnacekani() {
    const char* adresar = std::getenv("SACHY_SNIMEK");
    SDL_Surface* okno = SDL_GetVideoSurface();
    if (adresar == nullptr || okno == nullptr) {
        return;
    }
    static size_t posledni = 0;
    const std::string rgb = obsahokna(okno);
    const size_t otisk = std::hash<std::string>{}(rgb);
    if (rgb.empty() || otisk == posledni) {
        return;
    }
    posledni = otisk;
    const std::string cesta = std::string(adresar) + "/okno.rgb";
    if (std::FILE* f = std::fopen((cesta + ".novy").c_str(), "wb")) {
        std::fwrite(rgb.data(), 1, rgb.size(), f);
        std::fclose(f);
        std::rename((cesta + ".novy").c_str(), cesta.c_str());
    }
    const std::string ceka = std::string(adresar) + "/ceka";
    if (std::FILE* f = std::fopen(ceka.c_str(), "w")) {
        std::fclose(f);
    }
    const auto konec = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (access(ceka.c_str(), F_OK) == 0 && std::chrono::steady_clock::now() < konec) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

} // namespace

extern "C" int SDL_PollEvent(SDL_Event* udalost) {
    using Funkce = int (*)(SDL_Event*);
    static const auto skutecna = reinterpret_cast<Funkce>(dlsym(RTLD_NEXT, "SDL_PollEvent"));
    const int vysledek = skutecna(udalost);
    if (vysledek == 0) {
        zastavnacekani();
    }
    return vysledek;
}
