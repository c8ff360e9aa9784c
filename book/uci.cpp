// The UCI client: pipes to a child process, a time limit on every answer,
// and a clear failure for an engine that cannot start, dies, stays silent or
// writes what cannot be read.
#include "book/uci.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Hodiny = std::chrono::steady_clock;

std::vector<std::string> slova(const std::string& radek) {
    std::istringstream cteni(radek);
    std::vector<std::string> vysledek;
    for (std::string slovo; cteni >> slovo;) {
        vysledek.push_back(slovo);
    }
    return vysledek;
}

bool cislo(const std::string& text, int& hodnota) {
    if (text.empty()) {
        return false;
    }
    char* konec = nullptr;
    errno = 0;
    const long v = std::strtol(text.c_str(), &konec, 10);
    if (*konec != '\0' || errno != 0 || v < -1000000 || v > 1000000) {
        return false;
    }
    hodnota = static_cast<int>(v);
    return true;
}

// The word after `klic`, or null.
const std::string* po(const std::vector<std::string>& s, const char* klic) {
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
        if (s[i] == klic) {
            return &s[i + 1];
        }
    }
    return nullptr;
}

bool obsahuje(const std::vector<std::string>& s, const char* slovo) {
    for (const std::string& x : s) {
        if (x == slovo) {
            return true;
        }
    }
    return false;
}

std::string spoj(const std::vector<std::string>& s) {
    std::string text;
    for (const std::string& x : s) {
        text += (text.empty() ? "" : " ") + x;
    }
    return text;
}

std::string zapisvysledek(const Vysledek& v) {
    std::string text;
    for (const Varianta& x : v) {
        text += (text.empty() ? "" : ",") + x.tah + ":" + std::to_string(x.skore);
    }
    return text;
}

bool ctivysledek(const std::string& text, Vysledek& v) {
    std::istringstream cteni(text);
    for (std::string cast; std::getline(cteni, cast, ',');) {
        const auto dvojtecka = cast.find(':');
        Varianta x;
        if (dvojtecka == std::string::npos || !cislo(cast.substr(dvojtecka + 1), x.skore)) {
            return false;
        }
        x.tah = cast.substr(0, dvojtecka);
        v.push_back(x);
    }
    return !v.empty();
}

} // namespace

Motor::Motor(const std::string& prikaz, double limit) : prikaz_(prikaz), limit_(limit) {
    // A write to an engine that has died must fail, not kill us.
    std::signal(SIGPIPE, SIG_IGN);
    int dovnitr[2], ven[2], chyba[2];
    // Every end closes itself at exec; the child's stdin and stdout are dup2 copies.
    if (pipe2(dovnitr, O_CLOEXEC) != 0 || pipe2(ven, O_CLOEXEC) != 0 ||
        pipe2(chyba, O_CLOEXEC) != 0) {
        throw ChybaMotoru("engine " + prikaz_ + ": no pipes: " + std::strerror(errno));
    }
    pid_ = fork();
    if (pid_ < 0) {
        throw ChybaMotoru("engine " + prikaz_ + ": cannot fork: " + std::strerror(errno));
    }
    if (pid_ == 0) {
        dup2(dovnitr[0], 0);
        dup2(ven[1], 1);
        execlp(prikaz_.c_str(), prikaz_.c_str(), static_cast<char*>(nullptr));
        const int e = errno;
        (void)!write(chyba[1], &e, sizeof e);
        _exit(127);
    }
    close(dovnitr[0]);
    close(ven[1]);
    close(chyba[1]);
    vstup_ = dovnitr[1];
    vystup_ = ven[0];
    int e = 0;
    const ssize_t n = read(chyba[0], &e, sizeof e);
    close(chyba[0]);
    if (n == static_cast<ssize_t>(sizeof e)) {
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
        throw ChybaMotoru("engine " + prikaz_ + " cannot be started: " + std::strerror(e));
    }

    const std::string kde = "while starting";
    posli("uci", kde);
    for (const std::string& radek : cti("uciok", kde)) {
        if (radek.rfind("id name ", 0) == 0) {
            jmeno_ = radek.substr(8);
        }
    }
    if (jmeno_.empty()) {
        selhal("gave no name (id name)", kde);
    }
    posli("setoption name Threads value 1", kde);
    posli("setoption name Hash value " + std::to_string(HASH_MB), kde);
    posli("isready", kde);
    cti("readyok", kde);
}

Motor::~Motor() {
    if (pid_ > 0) {
        const char quit[] = "quit\n";
        (void)!write(vstup_, quit, sizeof quit - 1);
        close(vstup_);
        // An engine that does not quit within a second is stopped.
        for (int i = 0; i < 100 && waitpid(pid_, nullptr, WNOHANG) == 0; ++i) {
            usleep(10000);
            if (i == 99) {
                kill(pid_, SIGKILL);
                waitpid(pid_, nullptr, 0);
            }
        }
    } else if (vstup_ >= 0) {
        close(vstup_);
    }
    if (vystup_ >= 0) {
        close(vystup_);
    }
}

void Motor::selhal(const std::string& co, const std::string& kde) {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    throw ChybaMotoru("engine " + prikaz_ + " " + co + " " + kde);
}

void Motor::posli(const std::string& text, const std::string& kde) {
    const std::string radek = text + "\n";
    std::size_t hotovo = 0;
    while (hotovo < radek.size()) {
        const ssize_t n = write(vstup_, radek.data() + hotovo, radek.size() - hotovo);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            selhal("ended unexpectedly", kde);
        }
        hotovo += static_cast<std::size_t>(n);
    }
}

std::vector<std::string> Motor::cti(const std::string& konec, const std::string& kde) {
    // Starting gets at least half a minute: a loaded machine may be slow to
    // load the engine, which says nothing of its searches.
    const double limit = jmeno_.empty() && limit_ < 30 ? 30 : limit_;
    const auto mez = Hodiny::now() + std::chrono::duration_cast<Hodiny::duration>(
                                         std::chrono::duration<double>(limit));
    std::vector<std::string> radky;
    for (;;) {
        for (auto nl = zbytek_.find('\n'); nl != std::string::npos; nl = zbytek_.find('\n')) {
            std::string radek = zbytek_.substr(0, nl);
            zbytek_.erase(0, nl + 1);
            if (!radek.empty() && radek.back() == '\r') {
                radek.pop_back();
            }
            radky.push_back(radek);
            if (radek.rfind(konec, 0) == 0) {
                return radky;
            }
        }
        const auto zbyva =
            std::chrono::duration_cast<std::chrono::milliseconds>(mez - Hodiny::now()).count();
        pollfd p{vystup_, POLLIN, 0};
        const int r = zbyva > 0 ? poll(&p, 1, static_cast<int>(zbyva)) : 0;
        if (r < 0 && errno == EINTR) {
            continue;
        }
        if (r == 0) {
            std::ostringstream text;
            text << "gave no answer (" << konec << ") within " << limit << " s";
            selhal(text.str(), kde);
        }
        char blok[4096];
        const ssize_t n = read(vystup_, blok, sizeof blok);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            int stav = 0;
            std::string jak = "ended unexpectedly";
            if (waitpid(pid_, &stav, 0) == pid_) {
                pid_ = -1;
                if (WIFEXITED(stav)) {
                    jak += " (exit status " + std::to_string(WEXITSTATUS(stav)) + ")";
                } else if (WIFSIGNALED(stav)) {
                    jak += " (signal " + std::to_string(WTERMSIG(stav)) + ")";
                }
            }
            selhal(jak, kde);
        }
        zbytek_.append(blok, static_cast<std::size_t>(n));
    }
}

Vysledek Motor::hledej(const Dotaz& dotaz) {
    const std::string kde = "searching " + dotaz.fen;
    const std::string omezeni = spoj(dotaz.tahy);
    posli("setoption name MultiPV value " + std::to_string(dotaz.multipv), kde);
    posli("ucinewgame", kde);
    posli("isready", kde);
    cti("readyok", kde);
    posli("position fen " + dotaz.fen, kde);
    posli("go depth " + std::to_string(dotaz.hloubka) +
              (omezeni.empty() ? "" : " searchmoves " + omezeni),
          kde);
    std::map<int, Varianta> posledni;
    for (const std::string& radek : cti("bestmove", kde)) {
        const std::vector<std::string> s = slova(radek);
        if (!s.empty() && s[0] == "bestmove" && s.size() < 2) {
            selhal("sent a malformed line `" + radek + "`", kde);
        }
        if (s.empty() || s[0] != "info" || !obsahuje(s, "pv") || !obsahuje(s, "multipv")) {
            continue;
        }
        int hloubka = 0, poradi = 0, skore = 0;
        const std::string* druh = po(s, "score");
        const std::string* hodnota = nullptr;
        for (std::size_t i = 0; druh != nullptr && i + 2 < s.size(); ++i) {
            if (s[i] == "score") {
                hodnota = &s[i + 2];
            }
        }
        const std::string* tah = po(s, "pv");
        if (po(s, "depth") == nullptr || !cislo(*po(s, "depth"), hloubka) ||
            po(s, "multipv") == nullptr || !cislo(*po(s, "multipv"), poradi) || druh == nullptr ||
            (*druh != "cp" && *druh != "mate") || hodnota == nullptr || !cislo(*hodnota, skore) ||
            tah == nullptr) {
            selhal("sent a malformed line `" + radek + "`", kde);
        }
        if (hloubka != dotaz.hloubka) {
            continue;
        }
        if (*druh == "mate") {
            skore = skore > 0 ? MAT - skore : -MAT - skore;
        }
        posledni[poradi] = {*tah, skore};
    }
    Vysledek vysledek;
    for (const auto& [poradi, varianta] : posledni) {
        vysledek.push_back(varianta);
    }
    if (vysledek.empty()) {
        selhal("gave no result at depth " + std::to_string(dotaz.hloubka), kde);
    }
    return vysledek;
}

Motory::Motory(std::string prikaz, std::string cache, int pocet, double limit)
    : prikaz_(std::move(prikaz)), cache_(std::move(cache)), limit_(limit) {
    motory_.resize(static_cast<std::size_t>(pocet < 1 ? 1 : pocet));
    if (cache_.empty()) {
        return;
    }
    std::ifstream soubor(cache_);
    for (std::string radek; std::getline(soubor, radek);) {
        const auto tab = radek.rfind('\t');
        if (tab != std::string::npos && tab > 0) {
            pamet_[radek.substr(0, tab)] = radek.substr(tab + 1);
        }
    }
}

Motory::~Motory() = default;

Motor& Motory::motor(std::size_t i) {
    if (!motory_[i]) {
        motory_[i] = std::make_unique<Motor>(prikaz_, limit_);
    }
    return *motory_[i];
}

const std::string& Motory::jmeno() {
    return motor(0).jmeno();
}

std::string Motory::klic(const Dotaz& d) {
    return jmeno() + "|" + std::to_string(HASH_MB) + "|" + d.fen + "|" + std::to_string(d.hloubka) +
           "|" + std::to_string(d.multipv) + "|" + spoj(d.tahy);
}

void Motory::uloz(const std::string& k, const Vysledek& vysledek) {
    ++hledani;
    pamet_[k] = zapisvysledek(vysledek);
    if (cache_.empty()) {
        return;
    }
    const std::filesystem::path cesta(cache_);
    std::error_code chyba;
    if (cesta.has_parent_path()) {
        std::filesystem::create_directories(cesta.parent_path(), chyba);
    }
    std::ofstream soubor(cache_, std::ios::app);
    soubor << k << '\t' << pamet_[k] << '\n';
}

void Motory::priprav(const std::vector<Dotaz>& dotazy) {
    std::vector<const Dotaz*> chybi;
    std::map<std::string, bool> videne;
    for (const Dotaz& d : dotazy) {
        const std::string k = klic(d);
        if (pamet_.count(k) == 0 && !videne[k]) {
            videne[k] = true;
            chybi.push_back(&d);
        }
    }
    if (chybi.empty()) {
        return;
    }
    std::vector<Vysledek> vysledky(chybi.size());
    std::atomic<std::size_t> dalsi{0};
    std::atomic<bool> konec{false};
    std::mutex zamek;
    std::exception_ptr chyba;
    double soucet = 0;
    const std::size_t procesu = std::min(motory_.size(), chybi.size());
    const auto prace = [&](std::size_t ktery) {
        try {
            Motor& m = motor(ktery);
            for (std::size_t i = dalsi++; i < chybi.size() && !konec; i = dalsi++) {
                const auto zacatek = Hodiny::now();
                vysledky[i] = m.hledej(*chybi[i]);
                const std::chrono::duration<double> trvalo = Hodiny::now() - zacatek;
                std::lock_guard<std::mutex> z(zamek);
                soucet += trvalo.count();
            }
        } catch (...) {
            std::lock_guard<std::mutex> z(zamek);
            if (!chyba) {
                chyba = std::current_exception();
            }
            konec = true;
        }
    };
    // Started here, one after another, rather than in the threads: a fork
    // while another thread allocates is best avoided.
    for (std::size_t i = 0; i < procesu; ++i) {
        motor(i);
    }
    std::vector<std::thread> vlakna;
    for (std::size_t i = 1; i < procesu; ++i) {
        vlakna.emplace_back(prace, i);
    }
    prace(0);
    for (std::thread& v : vlakna) {
        v.join();
    }
    cas += soucet;
    if (chyba) {
        std::rethrow_exception(chyba);
    }
    // Stored in the order asked, so that the cache file does not depend on timing.
    for (std::size_t i = 0; i < chybi.size(); ++i) {
        uloz(klic(*chybi[i]), vysledky[i]);
    }
}

Vysledek Motory::hledej(const Dotaz& d) {
    const std::string k = klic(d);
    Vysledek vysledek;
    if (const auto it = pamet_.find(k); it != pamet_.end() && ctivysledek(it->second, vysledek)) {
        ++zcache;
        return vysledek;
    }
    const auto zacatek = Hodiny::now();
    vysledek = motor(0).hledej(d);
    const std::chrono::duration<double> trvalo = Hodiny::now() - zacatek;
    cas += trvalo.count();
    uloz(k, vysledek);
    return vysledek;
}

std::string najdimotor(const std::string& zadany) {
    if (!zadany.empty()) {
        return zadany;
    }
    const char* cesta = std::getenv("PATH");
    std::istringstream adresare(cesta ? cesta : "");
    for (std::string adresar; std::getline(adresare, adresar, ':');) {
        const std::string kandidat = (adresar.empty() ? "." : adresar) + "/stockfish";
        if (access(kandidat.c_str(), X_OK) == 0) {
            return kandidat;
        }
    }
    return access("/usr/games/stockfish", X_OK) == 0 ? "/usr/games/stockfish" : "";
}
