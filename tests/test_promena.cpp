// The promotion dialog: its hit boxes, what it ignores and what it draws.
// Every test queues its events before opening the dialog, which waits for them.
#include "podpora.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

Uint32 vyplnznackou(SDL_Surface* okno) {
    SDL_FillRect(okno, nullptr, SDL_MapRGB(okno->format, 1, 2, 3));
    return SDL_MapRGB(okno->format, 1, 2, 3) & maska(okno);
}

int pocet(SDL_Surface* okno, const SDL_Rect& r, Uint32 c) {
    int n = 0;
    for (int y = r.y; y < r.y + r.h; ++y) {
        for (int x = r.x; x < r.x + r.w; ++x) {
            n += pixel(okno, x, y) == c;
        }
    }
    return n;
}

const SDL_Rect PRUH_VYZVY{34, 320, 766, 26}; // y 320..345
const SDL_Rect SACHOVNICE{34, 34, 272, 272};

void posli(SDL_Event e) {
    SDL_PushEvent(&e);
}

// The dialog waits for a press; should it never take one, end the test
// program rather than hang. (SDL turns SIGTERM into a close request, which the
// dialog swallows, so a plain timeout cannot stop it.)
class Hlidac {
  public:
    explicit Hlidac(std::chrono::seconds limit)
        : vlakno_([this, limit] {
              std::unique_lock<std::mutex> zamek(mutex_);
              if (!podminka_.wait_for(zamek, limit, [this] { return hotovo_; })) {
                  std::fprintf(stderr, "the promotion dialog never answered\n");
                  std::_Exit(1);
              }
          }) {}
    ~Hlidac() {
        {
            std::lock_guard<std::mutex> zamek(mutex_);
            hotovo_ = true;
        }
        podminka_.notify_one();
        vlakno_.join();
    }

  private:
    std::mutex mutex_;
    std::condition_variable podminka_;
    bool hotovo_ = false;
    std::thread vlakno_;
};

// The middle of the knight's and of the queen's box.
constexpr int KUN_X = 118, DAMA_X = 220, STRED_Y = 367;

class Promena : public ::testing::Test {
  protected:
    void SetUp() override {
        hra = novahra();
        okno = obrazovkatestu();
        ASSERT_NE(okno, nullptr);
        vyprazdnifrontu();
    }
    void TearDown() override { vyprazdnifrontu(); }

    // Opens the dialog over the events already queued, with a press in the
    // middle of the knight's box (or the queen's, when the knight is the
    // answer expected) queued behind them: a press that is wrongly ignored
    // shows up as the wrong piece instead of a hang. What the dialog leaves
    // in the queue is thrown away, noting whether a close request was there.
    int vyber(Sachovnice& s, int ocekavany) {
        stiskni(ocekavany % 6 == BILY_KUN ? DAMA_X : KUN_X, STRED_Y);
        int vysledek = 0;
        {
            Hlidac hlidac(std::chrono::seconds(30));
            vysledek = s.promena();
        }
        zbylkonec = false;
        SDL_Event e;
        while (SDL_PollEvent(&e) == 1) {
            zbylkonec = zbylkonec || e.type == SDL_QUIT;
        }
        return vysledek;
    }

    bool zbylkonec = false;
    std::unique_ptr<Sachovnice> hra;
    SDL_Surface* okno = nullptr;
};

TEST_F(Promena, EachBoxAnswersUpToItsInclusiveEdgesForEitherColour) {
    struct Stisk {
        int x, y;
        Uint8 tlacitko;
        int bilytyp;
    };
    const Stisk TABULKA[] = {
        {102, 350, SDL_BUTTON_LEFT, BILY_KUN},     {135, 384, SDL_BUTTON_LEFT, BILY_KUN},
        {136, 384, SDL_BUTTON_LEFT, BILY_STRELEC}, {169, 350, SDL_BUTTON_LEFT, BILY_STRELEC},
        {170, 350, SDL_BUTTON_MIDDLE, BILA_VEZ},   {203, 384, SDL_BUTTON_RIGHT, BILA_VEZ},
        {204, 367, SDL_BUTTON_LEFT, BILA_DAMA},    {237, 384, SDL_BUTTON_LEFT, BILA_DAMA},
    };
    for (bool natahu : {true, false}) {
        for (const Stisk& s : TABULKA) {
            SCOPED_TRACE(::testing::Message()
                         << "press at (" << s.x << "," << s.y << ") button " << int(s.tlacitko)
                         << (natahu ? ", White" : ", Black"));
            hra->natahu = natahu;
            stiskni(s.x, s.y, s.tlacitko);
            EXPECT_EQ(vyber(*hra, typbarvy(s.bilytyp, natahu)), typbarvy(s.bilytyp, natahu));
            EXPECT_EQ(hra->natahu, natahu);
        }
    }
}

TEST_F(Promena, PressesBesideTheBoxesAndOtherEventsAreIgnored) {
    for (bool natahu : {true, false}) {
        SCOPED_TRACE(natahu ? "White" : "Black");
        hra->natahu = natahu;
        // Each of these would pick a piece other than the rook if it counted.
        stiskni(101, 360);
        stiskni(238, 360);
        stiskni(150, 349);
        stiskni(150, 385);
        stiskni(110, 360, SDL_BUTTON_WHEELUP);
        stiskni(220, 360, SDL_BUTTON_WHEELDOWN);
        SDL_Event e{};
        e.type = SDL_QUIT;
        posli(e);
        e = SDL_Event{};
        e.type = e.key.type = SDL_KEYDOWN;
        e.key.state = SDL_PRESSED;
        e.key.keysym.sym = SDLK_q;
        posli(e);
        e = SDL_Event{};
        e.type = e.motion.type = SDL_MOUSEMOTION;
        e.motion.x = 110;
        e.motion.y = 360;
        posli(e);
        stiskni(180, 360);

        EXPECT_EQ(vyber(*hra, BILA_VEZ), typbarvy(BILA_VEZ, natahu));

        EXPECT_FALSE(zbylkonec) << "the dialog left the close request for the shell";
    }
}

TEST_F(Promena, DrawsTheFourPiecesOfTheMoverAndThePromptBelowTheBoard) {
    struct Sada {
        bool natahu;
        const char* soubory[4];
    };
    const Sada SADY[] = {
        {true, {"wnw.bmp", "wbb.bmp", "wrw.bmp", "wqb.bmp"}},
        {false, {"bnw.bmp", "bbb.bmp", "brw.bmp", "bqb.bmp"}},
    };
    const int X[4] = {102, 136, 170, 204};
    for (const Sada& s : SADY) {
        SCOPED_TRACE(s.natahu ? "White" : "Black");
        hra->natahu = s.natahu;
        const std::string pred = diagram(*hra);
        const Uint32 znacka = vyplnznackou(okno);
        stiskni(204, 350);
        EXPECT_EQ(vyber(*hra, BILA_DAMA), typbarvy(BILA_DAMA, s.natahu));

        for (int i = 0; i < 4; ++i) {
            EXPECT_TRUE(ukazuje(okno, X[i], 350, s.soubory[i]));
        }
        EXPECT_GT(pocet(okno, PRUH_VYZVY, SDL_MapRGB(okno->format, 255, 255, 255) & maska(okno)),
                  0);
        EXPECT_EQ(pocet(okno, SACHOVNICE, znacka), 272 * 272) << "the board was drawn over";
        EXPECT_EQ(diagram(*hra), pred);
        EXPECT_EQ(hra->stav, 0);
    }
}

TEST_F(Promena, WithoutTheFontThePiecesStillShowAndAnswer) {
    DocasnyAdresar adresar;
    adresar.smaz("free.ttf");
    Sachovnice bez(okno);
    const Uint32 znacka = vyplnznackou(okno);
    stiskni(237, 384);
    EXPECT_EQ(vyber(bez, BILA_DAMA), BILA_DAMA);
    EXPECT_EQ(bez.pismo, nullptr);
    EXPECT_TRUE(ukazuje(okno, 102, 350, "wnw.bmp"));
    EXPECT_TRUE(ukazuje(okno, 204, 350, "wqb.bmp"));
    EXPECT_EQ(pocet(okno, PRUH_VYZVY, znacka), PRUH_VYZVY.w * PRUH_VYZVY.h);
}

} // namespace
