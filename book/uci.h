// An analysis engine over UCI, in as many processes as asked. Every search
// runs on one thread with the same hash after `ucinewgame`, so its result
// depends on the position and the limits alone, whichever process ran it;
// results are kept in a cache file so that reruns repeat no search.
#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

constexpr int HASH_MB = 16;
constexpr int MAT = 30000; // a mate in n scores MAT - n centipawns

// What went wrong with the engine, in words that name it and the position.
class ChybaMotoru : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct Dotaz {
    std::string fen;
    int hloubka = 1;
    int multipv = 1;
    std::vector<std::string> tahy; // the only root moves searched (searchmoves); empty for all
};

struct Varianta {
    std::string tah; // UCI
    int skore = 0;   // centipawns for the side to move
};
using Vysledek = std::vector<Varianta>; // best first

// One engine process.
class Motor {
  public:
    // Starts the engine and waits for it; `limit` is the seconds it gets for
    // each answer.
    Motor(const std::string& prikaz, double limit);
    ~Motor();
    Motor(const Motor&) = delete;
    Motor& operator=(const Motor&) = delete;

    const std::string& jmeno() const { return jmeno_; }
    Vysledek hledej(const Dotaz& dotaz);

  private:
    void posli(const std::string& text, const std::string& kde);
    // The lines up to and including the first that starts with `konec`.
    std::vector<std::string> cti(const std::string& konec, const std::string& kde);
    [[noreturn]] void selhal(const std::string& co, const std::string& kde);

    std::string prikaz_;
    double limit_;
    std::string jmeno_;
    int pid_ = -1;
    int vstup_ = -1; // the engine's stdin
    int vystup_ = -1;
    std::string zbytek_; // read but not yet a whole line
};

// The engine processes and the cache of their results.
class Motory {
  public:
    // `cache` is a file ("" for none); `pocet` processes, at least one.
    Motory(std::string prikaz, std::string cache, int pocet, double limit);
    ~Motory();

    const std::string& jmeno();
    // Runs every search the cache lacks, spread over the processes.
    void priprav(const std::vector<Dotaz>& dotazy);
    // The result of one search, from the cache when it is there.
    Vysledek hledej(const Dotaz& dotaz);

    int hledani = 0; // searches run
    int zcache = 0;  // results taken from the cache
    double cas = 0;  // seconds the processes spent searching, summed

  private:
    std::string klic(const Dotaz& dotaz);
    void uloz(const std::string& klic, const Vysledek& vysledek);
    Motor& motor(std::size_t i);

    std::string prikaz_;
    std::string cache_;
    double limit_;
    std::vector<std::unique_ptr<Motor>> motory_;
    std::map<std::string, std::string> pamet_;
};

// The engine to use: the one given, else stockfish on the PATH or in
// /usr/games; empty when there is none.
std::string najdimotor(const std::string& zadany);
