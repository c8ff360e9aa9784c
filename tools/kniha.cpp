// kniha: the opening book from an analysis engine, and its quality report.
//
//   kniha generuj [--hloubka N] [--vystup FILE] [--kontrola CMD]
//   kniha zprava [FILE] [--hloubka N]
//   common: [--motor ENGINE] [--cache FILE] [--procesy N] [--limit S]
//
// `generuj` writes the book: all 20 first moves of White; at every later
// White node through White's fifth move the engine's best three; at every
// Black node the engine's best, the node's only entry. `zprava` measures any
// book the way the game plays it. Run from the source tree's root: the
// defaults are assets/a.txt and .cache/kniha.tsv there.
#include "book/kontrola.h"
#include "book/tvorba.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

const char* const POUZITI =
    "usage: kniha [--motor ENGINE] [--cache FILE] [--hloubka N] [--procesy N] [--limit S]\n"
    "             generuj [--vystup FILE] [--kontrola CMD] | zprava [FILE]\n"
    "  --motor    the UCI engine (default: stockfish on the PATH or in /usr/games)\n"
    "  --cache    the search cache (default .cache/kniha.tsv; '' for none)\n"
    "  --hloubka  search depth (default 18)\n"
    "  --procesy  engine processes (default: one per core)\n"
    "  --limit    seconds an engine gets for each answer (default 600)\n"
    "  --vystup   the book to write (default assets/a.txt)\n"
    "  --kontrola a checker run as `CMD FILE` on the new book before it replaces the old;\n"
    "             exit status 0 accepts it (default: the game's own book check; '' for none)\n";

struct Volby {
    std::string prikaz;
    std::string motor;
    std::string cache = ".cache/kniha.tsv";
    int hloubka = 18;
    int procesy = 0;
    double limit = 600;
    std::string vystup = "assets/a.txt";
    bool mavlastnikontrolu = false;
    std::string kontrola;
    std::string kniha = "assets/a.txt";
};

[[noreturn]] void chybavolby(const std::string& text) {
    std::cerr << "kniha: " << text << "\n" << POUZITI;
    std::exit(2);
}

int cele(const std::string& text, const std::string& volba) {
    char* konec = nullptr;
    const long v = std::strtol(text.c_str(), &konec, 10);
    if (text.empty() || *konec != '\0' || v < 1 || v > 1000) {
        chybavolby(volba + " must be a positive number");
    }
    return static_cast<int>(v);
}

Volby ctivolby(int argc, char** argv) {
    Volby v;
    bool makniha = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "-h" || a == "--help") {
            std::cout << POUZITI;
            std::exit(0);
        }
        if (a.rfind("--", 0) != 0) {
            if (v.prikaz.empty()) {
                v.prikaz = a;
            } else if (v.prikaz == "zprava" && !makniha) {
                v.kniha = a;
                makniha = true;
            } else {
                chybavolby("unexpected argument " + a);
            }
            continue;
        }
        std::string hodnota;
        const auto rovna = a.find('=');
        if (rovna != std::string::npos) {
            hodnota = a.substr(rovna + 1);
            a = a.substr(0, rovna);
        } else if (i + 1 < argc) {
            hodnota = argv[++i];
        } else {
            chybavolby(a + " needs a value");
        }
        if (a == "--motor") {
            v.motor = hodnota;
        } else if (a == "--cache") {
            v.cache = hodnota;
        } else if (a == "--hloubka") {
            v.hloubka = cele(hodnota, a);
        } else if (a == "--procesy") {
            v.procesy = cele(hodnota, a);
        } else if (a == "--limit") {
            v.limit = std::atof(hodnota.c_str());
            if (!(v.limit > 0)) {
                chybavolby("--limit must be a positive number of seconds");
            }
        } else if (a == "--vystup" && v.prikaz == "generuj") {
            v.vystup = hodnota;
        } else if (a == "--kontrola" && v.prikaz == "generuj") {
            v.kontrola = hodnota;
            v.mavlastnikontrolu = true;
        } else {
            chybavolby("unknown option " + a);
        }
    }
    if (v.prikaz != "generuj" && v.prikaz != "zprava") {
        chybavolby(v.prikaz.empty() ? "no command" : "unknown command " + v.prikaz);
    }
    if (v.procesy == 0) {
        v.procesy = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    }
    return v;
}

double sekund(std::chrono::steady_clock::time_point od) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - od).count();
}

std::chrono::steady_clock::time_point zacatek;

void prubeh(int pultah, Motory& m) {
    std::fprintf(stderr, "ply %d: %d searches, %d from the cache, %.0f s\n", pultah + 1, m.hledani,
                 m.zcache, sekund(zacatek));
}

// The checker's verdict on the new book: the game's own check, or the command given.
bool prijato(const Volby& v, const std::string& soubor, const std::string& text) {
    if (!v.mavlastnikontrolu) {
        std::istringstream vstup(text);
        const VysledekKontroly k = zkontrolujknihovnu(vstup);
        for (const Nalez& n : k.nalezy) {
            std::cerr << popisnalezu(soubor, n) << "\n";
        }
        return k.nalezy.empty();
    }
    if (v.kontrola.empty()) {
        return true;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        execl("/bin/sh", "sh", "-c", (v.kontrola + " \"$1\"").c_str(), "sh", soubor.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int stav = 0;
    return pid > 0 && waitpid(pid, &stav, 0) == pid && WIFEXITED(stav) && WEXITSTATUS(stav) == 0;
}

int generuj(const Volby& v, Motory& motory) {
    std::cerr << motory.jmeno() << ", depth " << v.hloubka << ", " << v.procesy << " processes\n";
    const auto radky = generujknihu(motory, v.hloubka, prubeh);
    const std::string text = textknihy(radky);
    const auto vady = vadyknihy(text);
    if (!vady.empty()) {
        for (const std::string& vada : vady) {
            std::cerr << vada << "\n";
        }
        return 1;
    }
    // Written beside the old book and renamed over it only when accepted,
    // so that the old book is never left half written.
    const std::filesystem::path cil = std::filesystem::absolute(v.vystup);
    std::string docasny = (cil.parent_path() / ".a-XXXXXX").string();
    const int fd = mkstemp(docasny.data());
    if (fd < 0) {
        std::cerr << "kniha: cannot write beside " << cil.string() << "\n";
        return 1;
    }
    const bool zapsano = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    if (close(fd) != 0 || !zapsano) {
        unlink(docasny.c_str());
        std::cerr << "kniha: cannot write " << docasny << "\n";
        return 1;
    }
    if (!prijato(v, docasny, text)) {
        unlink(docasny.c_str());
        std::cerr << "kniha: the check refused the book\n";
        return 1;
    }
    chmod(docasny.c_str(), 0644);
    if (std::rename(docasny.c_str(), cil.c_str()) != 0) {
        unlink(docasny.c_str());
        std::cerr << "kniha: cannot replace " << cil.string() << "\n";
        return 1;
    }
    std::fprintf(
        stderr,
        "%s: %zu lines, %zu bytes; %d searches (%.0f s), %d from the cache; %.0f s in all\n",
        cil.c_str(), radky.size(), text.size(), motory.hledani, motory.cas, motory.zcache,
        sekund(zacatek));
    return 0;
}

int zprava(const Volby& v, Motory& motory) {
    std::ifstream soubor(v.kniha, std::ios::binary);
    std::ostringstream obsah;
    obsah << soubor.rdbuf();
    if (!soubor) {
        std::cerr << "kniha: cannot read " << v.kniha << "\n";
        return 1;
    }
    const std::string text = obsah.str();
    const Zprava z = zmer(text, motory, v.hloubka);
    std::cout << vypis(std::filesystem::path(v.kniha).filename().string(), text.size(), z, motory,
                       v.hloubka)
              << "\n";
    std::fprintf(stderr, "%d searches (%.0f s), %d from the cache\n", motory.hledani, motory.cas,
                 motory.zcache);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    zacatek = std::chrono::steady_clock::now();
    const Volby v = ctivolby(argc, argv);
    const std::string motor = najdimotor(v.motor);
    if (motor.empty()) {
        std::cerr << "kniha: no stockfish found (apt-get install stockfish, or --motor PATH)\n";
        return 1;
    }
    try {
        Motory motory(motor, v.cache, v.procesy, v.limit);
        return v.prikaz == "generuj" ? generuj(v, motory) : zprava(v, motory);
    } catch (const ChybaMotoru& e) {
        std::cerr << "kniha: " << e.what() << "\n";
        return 1;
    }
}
