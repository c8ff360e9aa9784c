// The book's report and generator with a fake engine that answers from a
// table: the report's figures on a small book, and every way the engine can
// fail, with its message, its exit status and the old book left alone.
#include "book/tvorba.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

const char* const PO_E4 = "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1";

// Every position the report on MALA searches.
const char* const TABULKA =
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1\te2e4:30,d2d4:25,g1f3:20\n"
    "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq - 0 1\tc7c5:-20,e7e5:-45\n"
    "rnbqkbnr/pppppppp/8/8/3P4/8/PPP1PPPP/RNBQKBNR b KQkq - 0 1\td7d5:-25\n"
    "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 2\tg1f3:40,f1c4:30,b1c3:20\n"
    "rnbqkbnr/ppp1pppp/8/3p4/3P4/8/PPP1PPPP/RNBQKBNR w KQkq - 0 2\tc2c4:30,g1f3:20,c1f4:10\n";

// The computer answers e2e4 with e7e5, the smallest code, so the third line is dead.
const char* const MALA = "e2e4 e7e5\nd2d4 d7d5\ne2e4 g8f6\n";

class KnihaMotor : public ::testing::Test {
  protected:
    fs::path adresar = fs::temp_directory_path() / ("kniha_motor_" + std::to_string(getpid()));

    void SetUp() override {
        fs::create_directories(adresar);
        std::ofstream(adresar / "tabulka.tsv") << TABULKA;
        setenv("FALESNY_TABULKA", (adresar / "tabulka.tsv").c_str(), 1);
        unsetenv("FALESNY_REZIM");
    }
    void TearDown() override { fs::remove_all(adresar); }

    struct Beh {
        int status;
        std::string chyby;
    };
    // The tool with these arguments; its stderr and exit status.
    Beh spust(const std::string& argumenty) {
        const std::string chyby = (adresar / "chyby.txt").string();
        const int stav = std::system(
            (std::string(SACHY_KNIHA) + " --cache '' " + argumenty + " 2> " + chyby).c_str());
        std::ifstream soubor(chyby);
        std::stringstream text;
        text << soubor.rdbuf();
        return {WIFEXITED(stav) ? WEXITSTATUS(stav) : -1, text.str()};
    }
};

TEST_F(KnihaMotor, ReportOnASmallBookIsTheSameForAnyNumberOfProcesses) {
    const std::string ocekavana =
        "book: mala.txt (3 lines, 30 bytes)\n"
        "engine: Falesny motor, depth 5, 1 thread, hash 16 MB\n"
        "lines: 3\n"
        "nodes: 3\n"
        "dead lines: 1\n"
        "first moves without an answer: 18 of 20 (a2a3 a2a4 b1a3 b1c3 b2b3 b2b4 c2c3 c2c4 d2d3 "
        "e2e3 f2f3 f2f4 g1f3 g1h3 g2g3 g2g4 h2h3 h2h4)\n"
        "best three White moves covered: 2 of 9 (22 %)\n"
        "  White's move 1 (after ply 0): 2 of 3 (67 %)\n"
        "  White's move 2 (after ply 2): 0 of 6 (0 %)\n"
        "expected plies in book, White picking among the best three: 1.3\n"
        "computer's book moves: 2, not the engine's best: 1\n"
        "loss against the engine's best: mean 12.5 cp, worst 25 cp\n"
        "  worst: e7e5 instead of c7c5 in " +
        std::string(PO_E4);
    for (const int procesu : {1, 2, 3}) {
        Motory motory(SACHY_FALESNY_MOTOR, "", procesu, 10);
        const Zprava z = zmer(MALA, motory, 5);
        EXPECT_EQ(vypis("mala.txt", 30, z, motory, 5), ocekavana) << procesu << " processes";
    }
}

TEST_F(KnihaMotor, TheCacheAnswersARerunAndKeepsTheFormat) {
    const std::string cache = (adresar / "cache.tsv").string();
    {
        Motory motory(SACHY_FALESNY_MOTOR, cache, 2, 10);
        zmer(MALA, motory, 5);
        EXPECT_EQ(motory.hledani, 6);
    }
    std::ifstream soubor(cache);
    std::string prvni;
    std::getline(soubor, prvni);
    EXPECT_EQ(prvni.rfind("Falesny motor|16|", 0), 0u) << prvni;
    // The engine now fails at every search; the cache alone answers.
    setenv("FALESNY_REZIM", "umri", 1);
    Motory motory(SACHY_FALESNY_MOTOR, cache, 2, 10);
    const Zprava z = zmer(MALA, motory, 5);
    EXPECT_EQ(motory.hledani, 0);
    EXPECT_EQ(z.ztraty.at(1).cp, 25);
}

TEST_F(KnihaMotor, FailuresNameTheEngineAndThePositionAndLeaveTheBook) {
    const fs::path kniha = adresar / "a.txt";
    struct Pripad {
        const char* rezim;
        std::string motor;
        std::string zprava;
    };
    const std::string falesny = SACHY_FALESNY_MOTOR;
    const Pripad pripady[] = {
        {"", (adresar / "zadny").string(),
         "engine " + (adresar / "zadny").string() +
             " cannot be started: No such file or directory"},
        {"umri", falesny, "engine " + falesny + " ended unexpectedly (exit status 3) searching "},
        {"mlci", falesny, "engine " + falesny + " gave no answer (bestmove) within 1 s searching "},
        {"spatne", falesny,
         "engine " + falesny +
             " sent a malformed line `info depth 2 multipv 1 score cp dvacet pv e2e4` searching "},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.rezim);
        setenv("FALESNY_REZIM", p.rezim, 1);
        std::ofstream(kniha) << "e2e4 e7e5\n";
        const Beh generuj = spust("--motor " + p.motor +
                                  " --limit 1 generuj --hloubka 2 --vystup " + kniha.string());
        EXPECT_EQ(generuj.status, 1);
        EXPECT_NE(generuj.chyby.find(p.zprava), std::string::npos) << generuj.chyby;
        if (*p.rezim != '\0') {
            // Whichever process failed first: a reply to one of White's first moves.
            EXPECT_NE(generuj.chyby.find(" b KQkq - 0 1\n"), std::string::npos) << generuj.chyby;
        }
        std::ifstream soubor(kniha);
        std::string obsah;
        std::getline(soubor, obsah);
        EXPECT_EQ(obsah, "e2e4 e7e5");
        EXPECT_EQ(std::distance(fs::directory_iterator(adresar), fs::directory_iterator()), 3)
            << "a temporary book left behind";

        const Beh zprava =
            spust("--motor " + p.motor + " --limit 1 zprava --hloubka 2 " + kniha.string());
        EXPECT_EQ(zprava.status, 1);
        EXPECT_NE(zprava.chyby.find(p.zprava), std::string::npos) << zprava.chyby;
        if (*p.rezim != '\0') {
            EXPECT_NE(zprava.chyby.find(" KQkq - 0 "), std::string::npos) << zprava.chyby;
        }
    }
}

} // namespace
