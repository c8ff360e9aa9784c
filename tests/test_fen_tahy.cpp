// The FEN and the legal moves that tools hand to an analysis engine.
#include "podpora.h"
#include "rules/fen.h"
#include "rules/legalni.h"

#include <cstring>
#include <set>

namespace {

struct Poloha {
    const char* deska;
    bool bily;
    const char* prava;
};

// Start, promotion squares, check, checkmate, castling through attack, lost rights.
const Poloha POLOHY[] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", true, "KQkq"},
    {"1n2k3/P3P3/8/8/8/8/3p1p2/4K1N1", true, "-"},
    {"1n2k3/P3P3/8/8/8/8/3p1p2/4K1N1", false, "-"},
    {"4k3/8/8/8/1b6/8/8/R3K2R", true, "KQ"},
    {"r3k2r/8/8/8/8/8/6r1/R3K2R", true, "KQkq"},
    {"r3k2r/8/8/8/2B5/8/8/R3K2R", false, "kq"},
    {"r3k2r/8/8/8/8/8/8/R3K2R", false, "Kq"},
    {"7k/6Q1/6K1/8/8/8/8/8", false, "-"},
};

std::string plnyfen(const Poloha& p) {
    return std::string(p.deska) + (p.bily ? " w " : " b ") + p.prava + " - 0 1";
}

TEST(FenATahy, FenRepeatsThePositionWithTheCallersCounters) {
    auto hra = novahra();
    for (const Poloha& p : POLOHY) {
        postavfen(*hra, p.deska, p.bily, p.prava);
        EXPECT_EQ(fen(*hra, 0, 1), plnyfen(p));
    }
    postavfen(*hra, POLOHY[0].deska, true, "KQkq");
    EXPECT_EQ(fen(*hra, 7, 23), "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 7 23");
}

TEST(FenATahy, CastlingRightsGoWithTheKingsAndRooksThatMove) {
    auto hra = novahra();
    // King's side rook out and back: gone for good; then the black king steps.
    postavfen(*hra, "r3k2r/p6p/8/8/8/8/P6P/R3K2R", true, "KQkq");
    for (const auto& [z, na] : std::initializer_list<std::pair<Pozice, Pozice>>{
             {{0, 7}, {0, 6}}, {{7, 4}, {7, 5}}, {{0, 6}, {0, 7}}, {{7, 5}, {7, 4}}}) {
        ASSERT_TRUE(klikni(*hra, z.first, z.second));
        ASSERT_TRUE(klikni(*hra, na.first, na.second));
    }
    EXPECT_EQ(fen(*hra, 4, 3), "r3k2r/p6p/8/8/8/8/P6P/R3K2R w Q - 4 3");
    // A rook taken on its corner.
    postavfen(*hra, "r3k2r/8/8/8/8/8/8/R3K2R", true, "KQkq");
    ASSERT_TRUE(klikni(*hra, 0, 0));
    ASSERT_TRUE(klikni(*hra, 7, 0));
    EXPECT_EQ(fen(*hra, 0, 1), "R3k2r/8/8/8/8/8/8/4K2R b Kk - 0 1");
}

TEST(FenATahy, LegalMovesAreTheMovesInputAccepts) {
    auto hra = novahra();
    for (const Poloha& p : POLOHY) {
        SCOPED_TRACE(plnyfen(p));
        postavfen(*hra, p.deska, p.bily, p.prava);
        // Each move by clicks, named by the squares that changed.
        const Snimek pred = sejmi(*hra);
        std::set<std::string> klikane;
        kazdytah(
            *hra,
            [&](Sachovnice& po) {
                std::string z, na;
                for (int r = 0; r < 8; ++r) {
                    for (int c = 0; c < 8; ++c) {
                        const std::string jm{static_cast<char>('a' + c),
                                             static_cast<char>('1' + r)};
                        const int typ = po.pole[r][c]->typ;
                        if (pred.typ[r][c] != PRAZDNO && typ == PRAZDNO &&
                            (z.empty() || jekral(pred.typ[r][c]))) {
                            z = jm;
                        }
                        if (typ != PRAZDNO && pred.typ[r][c] != typ &&
                            (na.empty() || jekral(typ))) {
                            na = jm;
                        }
                    }
                }
                const bool promena = druh(pred.typ[z[1] - '1'][z[0] - 'a']) == BILY_PESEC &&
                                     (na[1] == '8' || na[1] == '1');
                klikane.insert(z + na + (promena ? "q" : ""));
            },
            false);
        std::set<std::string> nase;
        for (const LegalniTah& t : legalnitahy(*hra)) {
            nase.insert(t.uci);
            const bool rosada = t.zapis[0] == 'O';
            EXPECT_EQ(t.zapis, rosada ? t.zapis : t.uci.substr(0, 4));
        }
        EXPECT_EQ(nase, klikane);
        // Nothing moved, nothing lost its right to castle.
        const Snimek po = sejmi(*hra);
        EXPECT_EQ(std::memcmp(&po, &pred, sizeof po), 0);
        EXPECT_TRUE(invarianty(*hra));
    }
}

TEST(FenATahy, KnownPositions) {
    auto hra = novahra();
    const std::pair<Poloha, const char*> tabulka[] = {
        // In check from the bishop: only the king steps, and never castles.
        {{"4k3/8/8/8/1b6/8/8/R3K2R", true, "KQ"}, "e1d1 e1e2 e1f1 e1f2"},
        // Both castlings legal; the rook on g2 stops neither for Black.
        {{"r3k2r/8/8/8/8/8/8/4K3", false, "kq"}, nullptr},
        {{"7k/6Q1/6K1/8/8/8/8/8", false, "-"}, ""},
        {{"4k3/4P3/8/8/8/8/8/K7", true, "-"}, "a1a2 a1b1 a1b2"},
    };
    for (const auto& [p, ocekavane] : tabulka) {
        postavfen(*hra, p.deska, p.bily, p.prava);
        std::string text;
        bool maOO = false, maOOO = false;
        for (const LegalniTah& t : legalnitahy(*hra)) {
            text += (text.empty() ? "" : " ") + t.uci;
            maOO |= t.zapis == "O-O";
            maOOO |= t.zapis == "O-O-O";
        }
        if (ocekavane != nullptr) {
            EXPECT_EQ(text, ocekavane) << p.deska;
        } else {
            EXPECT_TRUE(maOO && maOOO) << text;
        }
    }
    postavfen(*hra, "1n2k3/P3P3/8/8/8/8/8/4K3", true, "-");
    std::set<std::string> promeny;
    for (const LegalniTah& t : legalnitahy(*hra)) {
        if (t.uci.size() == 5) {
            promeny.insert(t.uci + "/" + t.zapis);
        }
    }
    EXPECT_EQ(promeny, (std::set<std::string>{"a7a8q/a7a8", "a7b8q/a7b8"}));
}

} // namespace
