// Fuzzing the opening book: the input becomes "a.txt", a game is built on it
// and played through the book, White by clicks as a player would, Black by the
// computer. After every move the grid must still be whole.
#include "model/sachovnice.h"

#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The book is what is under test: play it out, but stop a few plies after
// the game has left it, where only the search is left to run.
constexpr int NEJVIC_PULTAHU = 60;
constexpr int PULTAHU_MIMO_KNIHU = 2;

// The promotion pick kept waiting in the event queue, one per choice box.
constexpr int VOLBY_X[4] = {110, 144, 178, 212};
constexpr int VOLBY_Y = 360;

// A working directory of our own, made once: it holds only a.txt, so the
// bitmaps and the font are missing and construction stays cheap.
std::string pracovni;
std::string puvodni;

void uklid() {
    if (!pracovni.empty()) {
        unlink((pracovni + "/a.txt").c_str());
        rmdir(pracovni.c_str());
    }
}

[[noreturn]] void selhani(const char* co) {
    std::fprintf(stderr, "fuzz_kniha: %s\n", co);
    std::abort();
}

// A small generator for the order in which squares are tried, seeded by the input.
struct Nahoda {
    std::uint64_t stav;
    unsigned dalsi() {
        stav ^= stav << 13;
        stav ^= stav >> 7;
        stav ^= stav << 17;
        return static_cast<unsigned>(stav >> 32);
    }
};

std::uint64_t otisk(const std::uint8_t* data, std::size_t velikost) {
    std::uint64_t h = 1469598103934665603ULL;
    for (std::size_t i = 0; i < velikost; ++i) {
        h = (h ^ data[i]) * 1099511628211ULL;
    }
    return h | 1; // never zero, or the generator would stay at zero
}

// Every square a live piece standing where it says (so no object stands on
// two squares), one king a side and the king pointers on them.
__attribute__((no_sanitize("coverage"))) void zkontroluj(const Sachovnice& hra) {
    if (hra.pole.size() != 8) {
        selhani("the grid lost a row");
    }
    int kralu[2] = {0, 0};
    for (int r = 0; r < 8; ++r) {
        if (hra.pole[r].size() != 8) {
            selhani("a row lost a square");
        }
        for (int c = 0; c < 8; ++c) {
            const Figura* f = hra.pole[r][c];
            if (f == nullptr || f->pozice != Pozice{r, c}) {
                selhani("a square holds no piece or a piece of another square");
            }
            if (f->typ < PRAZDNO || f->typ > CERNY_KRAL || f->jefigura != (f->typ != PRAZDNO) ||
                (f->jefigura && f->barva != (f->typ <= BILY_KRAL))) {
                selhani("a piece of no known kind");
            }
            if (f->typ == BILY_KRAL) {
                ++kralu[0];
                if (hra.kralbily != f) {
                    selhani("the white king pointer is astray");
                }
            } else if (f->typ == CERNY_KRAL) {
                ++kralu[1];
                if (hra.kralcerny != f) {
                    selhani("the black king pointer is astray");
                }
            }
        }
    }
    if (kralu[0] != 1 || kralu[1] != 1) {
        selhani("a side has no king or two");
    }
}

class Hrac {
  public:
    Hrac(Sachovnice& hra, Nahoda& nahoda) : hra_(hra), nahoda_(nahoda) {}

    // White's move by clicks: a book move if the book has one that is
    // accepted, otherwise the first legal move in an order of our own.
    bool tahni() {
        if (hra_.vknihovne() && !hra_.knihovna[hra_.uzel].empty()) {
            const auto& uzel = hra_.knihovna[hra_.uzel];
            std::vector<int> kody;
            for (const auto& zaznam : uzel) {
                kody.push_back(zaznam.first);
            }
            const std::size_t prvni = nahoda_.dalsi() % kody.size();
            for (std::size_t i = 0; i < kody.size(); ++i) {
                if (zkuskod(kody[(prvni + i) % kody.size()])) {
                    return true;
                }
            }
        }
        const unsigned odkud0 = nahoda_.dalsi();
        const unsigned kam0 = nahoda_.dalsi();
        // An odd stride visits all 64 squares.
        const unsigned krok = (nahoda_.dalsi() % 32) * 2 + 1;
        for (unsigned i = 0; i < 64; ++i) {
            const unsigned z = (odkud0 + i * krok) % 64;
            const Figura* kdo = hra_.pole[z / 8][z % 8];
            if (!kdo->jefigura || kdo->barva != hra_.natahu) {
                continue;
            }
            for (unsigned j = 0; j < 64; ++j) {
                const unsigned na = (kam0 + j * krok) % 64;
                const Figura* cil = hra_.pole[na / 8][na % 8];
                if (cil->jefigura && cil->barva == hra_.natahu) {
                    continue;
                }
                if (zkus(z / 8, z % 8, na / 8, na % 8)) {
                    return true;
                }
            }
        }
        return false;
    }

  private:
    bool zkuskod(int kod) {
        if (kod == 8 || kod == 9) {
            return zkus(0, 4, 0, kod == 8 ? 6 : 2);
        }
        return zkus(kod / 100 % 10, kod / 1000 % 10, kod % 10, kod / 10 % 10);
    }

    // Two clicks; true when they made a move.
    bool zkus(int zr, int zc, int nr, int nc) {
        if (zr > 7 || zc > 7 || nr > 7 || nc > 7) {
            return false;
        }
        const bool strana = hra_.natahu;
        klikni(zr, zc);
        if (hra_.stav == 1) {
            klikni(nr, nc);
        }
        // A king in check stays selected after a castling attempt; let go of it.
        hra_.stav = 0;
        return hra_.natahu != strana;
    }

    void klikni(int radek, int sloupec) {
        zajistivolbu();
        const int sr = hra_.otoceno ? radek : 7 - radek;
        hra_.kliknuti(7 - sloupec, sr);
    }

    // The promotion dialog waits for a press in one of its boxes; keep one queued.
    void zajistivolbu() {
        SDL_Event e;
        SDL_PumpEvents();
        if (SDL_PeepEvents(&e, 1, SDL_PEEKEVENT, SDL_EVENTMASK(SDL_MOUSEBUTTONDOWN)) > 0) {
            return;
        }
        e = SDL_Event{};
        e.type = e.button.type = SDL_MOUSEBUTTONDOWN;
        e.button.button = SDL_BUTTON_LEFT;
        e.button.state = SDL_PRESSED;
        e.button.x = static_cast<Uint16>(VOLBY_X[nahoda_.dalsi() % 4]);
        e.button.y = VOLBY_Y;
        if (SDL_PushEvent(&e) != 0) {
            selhani("the event queue is full");
        }
    }

    Sachovnice& hra_;
    Nahoda& nahoda_;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    // SDL would turn SIGINT and SIGTERM into quit events, and libFuzzer then
    // leaves them alone: a fuzzer that cannot be stopped. Keep the old handlers.
    struct sigaction preruseni {};
    struct sigaction ukonceni {};
    sigaction(SIGINT, nullptr, &preruseni);
    sigaction(SIGTERM, nullptr, &ukonceni);
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE) < 0 ||
        SDL_SetVideoMode(800, 600, 32, SDL_SWSURFACE) == nullptr || TTF_Init() < 0) {
        selhani(SDL_GetError());
    }
    sigaction(SIGINT, &preruseni, nullptr);
    sigaction(SIGTERM, &ukonceni, nullptr);
    const char* tmp = std::getenv("TMPDIR");
    std::string vzor =
        std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/fuzz_kniha-XXXXXX";
    if (mkdtemp(vzor.data()) == nullptr) {
        selhani("cannot make a working directory");
    }
    pracovni = vzor;
    char* tady = getcwd(nullptr, 0);
    if (tady == nullptr) {
        selhani("cannot read the working directory");
    }
    puvodni = tady;
    std::free(tady);
    std::atexit(uklid);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t velikost) {
    // Into our directory only while the game reads its files: libFuzzer writes
    // its crash reports into the directory it was started in.
    if (chdir(pracovni.c_str()) != 0) {
        selhani("cannot enter the working directory");
    }
    {
        std::FILE* f = std::fopen("a.txt", "wb");
        if (f == nullptr || std::fwrite(data, 1, velikost, f) != velikost || std::fclose(f) != 0) {
            selhani("cannot write a.txt");
        }
    }

    Nahoda nahoda{otisk(data, velikost)};
    {
        Sachovnice hra(SDL_GetVideoSurface());
        zkontroluj(hra);
        // Half the inputs play with White at the bottom.
        if (nahoda.dalsi() % 2 == 0) {
            hra.otoceno = false;
        }
        Hrac hrac(hra, nahoda);
        int mimo = 0;
        for (int pultah = 0; pultah < NEJVIC_PULTAHU && mimo < PULTAHU_MIMO_KNIHU; ++pultah) {
            const int uzel = hra.uzel;
            mimo += hra.vknihovne() ? 0 : 1;
            if (hra.natahu) {
                if (!hrac.tahni()) {
                    break; // White has no legal move
                }
            } else if (hra.tahpocitace(false, false) != 0) {
                break; // nor has Black
            }
            zkontroluj(hra);
            if (mimo > 0 && hra.uzel != uzel) {
                selhani("a game that has left the book moved its book cursor");
            }
        }
    }

    // Nothing carries over to the next input.
    SDL_Event e;
    while (SDL_PollEvent(&e) == 1) {
    }
    if (chdir(puvodni.c_str()) != 0) {
        selhani("cannot return to the starting directory");
    }
    return 0;
}
