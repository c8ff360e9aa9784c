// The book's generator and its report. A position is the list of book codes
// played from the start; it is set up again on a new game whenever it is
// needed, so every move, every check test and every step of the book cursor
// is the game's own.
#include "book/tvorba.h"

#include "model/sachovnice.h"
#include "rules/fen.h"
#include "rules/legalni.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <sstream>

namespace {

using Strom = std::vector<std::map<int, int>>;
using Kody = std::vector<int>;

// A game on the book's tree, which it holds while it lives.
class Partie {
  public:
    Partie(Strom& strom, const Kody& kody) : strom_(strom), hra_(nullptr, std::move(strom)) {
        for (const int kod : kody) {
            if (!zahraj(kod)) {
                throw ChybaMotoru("internal: a stored move no longer plays");
            }
        }
    }
    ~Partie() { strom_ = std::move(hra_.knihovna); }
    Partie(const Partie&) = delete;
    Partie& operator=(const Partie&) = delete;

    Sachovnice& hra() { return hra_; }
    std::string fen() const { return ::fen(hra_, pultahy_, cislo_); }
    int kod(const LegalniTah& t) { return hra_.kodtahu(t.zapis); }

    // The move of a code for the side to move, the book cursor following it.
    bool zahraj(int kod) {
        const Otisk pred = otisk();
        if (!hra_.zahrajknihovni(kod)) {
            return false;
        }
        hra_.posunuzel(kod);
        pocitej(pred);
        return true;
    }
    // The computer's book step: the code it played, or -1.
    int odpovez() {
        const Otisk pred = otisk();
        const int kod = hra_.volbaknihovny();
        if (kod >= 0) {
            pocitej(pred);
        }
        return kod;
    }

  private:
    // Enough of a position to tell a capture or a pawn's move after it.
    struct Otisk {
        int figur = 0;
        std::uint64_t pesci = 0;
    };
    Otisk otisk() const {
        Otisk o;
        for (int r = 0; r < 8; ++r) {
            for (int c = 0; c < 8; ++c) {
                const Figura* f = hra_.pole[r][c];
                o.figur += f->jefigura ? 1 : 0;
                o.pesci |= std::uint64_t{druh(f->typ) == BILY_PESEC} << (r * 8 + c);
            }
        }
        return o;
    }
    // The move counters of a FEN: plies since a capture or a pawn's move,
    // and the number of the move, which Black's move ends.
    void pocitej(const Otisk& pred) {
        const Otisk po = otisk();
        pultahy_ = po.figur != pred.figur || po.pesci != pred.pesci ? 0 : pultahy_ + 1;
        cislo_ += hra_.natahu ? 1 : 0;
    }

    Strom& strom_;
    Sachovnice hra_;
    int pultahy_ = 0;
    int cislo_ = 1;
};

// A search of the best moves under the game's rules: no en passant (the FEN
// has no square for it) and no under-promotion (searchmoves, when a pawn can
// promote).
Dotaz dotaz(const std::string& fen, const std::vector<LegalniTah>& tahy, int hloubka, int multipv) {
    Dotaz d{fen, hloubka, multipv, {}};
    const bool omezit = std::any_of(tahy.begin(), tahy.end(),
                                    [](const LegalniTah& t) { return t.uci.size() == 5; });
    for (const LegalniTah& t : tahy) {
        if (omezit) {
            d.tahy.push_back(t.uci);
        }
    }
    return d;
}

const LegalniTah& legalni(const std::vector<LegalniTah>& tahy, const std::string& uci,
                          const std::string& fen) {
    for (const LegalniTah& t : tahy) {
        if (t.uci == uci) {
            return t;
        }
    }
    throw ChybaMotoru("the engine's move " + uci + " is no legal move in " + fen);
}

// The legal move the computer makes for a book code it has chosen.
std::string ucikodu(const std::vector<LegalniTah>& tahy, int kod) {
    Pozice odkud, kam;
    const bool pole = Sachovnice::polakodu(kod, odkud, kam);
    for (const LegalniTah& t : tahy) {
        const bool rosada = t.zapis[0] == 'O';
        if ((kod == 8 && t.zapis == "O-O") || (kod == 9 && t.zapis == "O-O-O") ||
            (kod > 9 && pole && !rosada && t.odkud == odkud && t.kam == kam)) {
            return t.uci;
        }
    }
    return "?";
}

struct Radky {
    std::vector<std::vector<std::string>> radky;
    std::size_t bajtu = 0;
};

// The lines as the game reads them: up to the first without a token.
std::vector<std::vector<std::string>> ctiradky(const std::string& text) {
    std::vector<std::vector<std::string>> radky;
    std::istringstream vstup(text);
    for (std::string radek; std::getline(vstup, radek);) {
        std::istringstream cteni(radek);
        std::vector<std::string> tahy;
        for (std::string t; cteni >> t;) {
            tahy.push_back(t);
        }
        if (tahy.empty()) {
            break;
        }
        radky.push_back(tahy);
    }
    return radky;
}

Strom nactistrom(const std::string& text) {
    Sachovnice vzor(nullptr, {});
    std::istringstream kniha(text);
    vzor.nactiknihovnu(kniha);
    return std::move(vzor.knihovna);
}

// Can the line be played out: every White move legal, every Black move the
// computer's choice at its node?
bool hratelna(Strom& strom, const std::vector<std::string>& radek) {
    Partie p(strom, {});
    for (const std::string& token : radek) {
        const int kod = p.hra().kodtahu(token);
        if (p.hra().natahu) {
            const auto tahy = legalnitahy(p.hra());
            const bool je = std::any_of(tahy.begin(), tahy.end(),
                                        [&](const LegalniTah& t) { return t.zapis == token; });
            if (!je || !p.zahraj(kod)) {
                return false;
            }
        } else if (p.odpovez() != kod || kod < 0) {
            return false;
        }
    }
    return true;
}

std::vector<std::string> bezodpovedi(Strom& strom) {
    std::vector<std::pair<std::string, int>> prvni;
    {
        Partie p(strom, {});
        for (const LegalniTah& t : legalnitahy(p.hra())) {
            prvni.emplace_back(t.uci, p.kod(t));
        }
    }
    std::vector<std::string> chybi;
    for (const auto& [uci, kod] : prvni) {
        Partie p(strom, {kod});
        if (p.odpovez() < 0) {
            chybi.push_back(uci);
        }
    }
    return chybi;
}

struct Bila {
    int pultah;
    Kody kody;
};
struct Cerna {
    int pultah;
    Dotaz hledani; // the position's search of the best move
    std::string tah;
};

// What the computer's play reaches, White playing any move the book holds.
void dosazene(Strom& strom, std::vector<Bila>& bile, std::vector<Cerna>& cerne, int hloubka) {
    std::vector<Bila> zasobnik{{0, {}}};
    while (!zasobnik.empty()) {
        const Bila b = zasobnik.back();
        zasobnik.pop_back();
        bile.push_back(b);
        Kody kandidati;
        {
            Partie p(strom, b.kody);
            if (!p.hra().vknihovne()) {
                continue;
            }
            const auto& uzel = p.hra().knihovna[p.hra().uzel];
            for (const LegalniTah& t : legalnitahy(p.hra())) {
                if (uzel.count(p.kod(t)) > 0) {
                    kandidati.push_back(p.kod(t));
                }
            }
        }
        for (const int kod : kandidati) {
            Kody po = b.kody;
            po.push_back(kod);
            Partie p(strom, po);
            const auto tahy = legalnitahy(p.hra());
            const std::string fen = p.fen();
            const int odpoved = p.odpovez();
            if (odpoved < 0) {
                continue;
            }
            cerne.push_back({b.pultah + 1, dotaz(fen, tahy, hloubka, 1), ucikodu(tahy, odpoved)});
            po.push_back(odpoved);
            zasobnik.push_back({b.pultah + 2, po});
        }
    }
}

// The position's legal moves and the search of its best three.
std::pair<std::vector<LegalniTah>, Dotaz> bilehledani(Strom& strom, const Kody& kody, int hloubka) {
    Partie p(strom, kody);
    auto tahy = legalnitahy(p.hra());
    Dotaz d = dotaz(p.fen(), tahy, hloubka, SIRKA);
    return {std::move(tahy), std::move(d)};
}

// After White's move, does the book answer? The position after the answer.
bool odpovida(Strom& strom, const Kody& kody, const std::string& uci, Kody& dal) {
    Partie p(strom, kody);
    const LegalniTah t = legalni(legalnitahy(p.hra()), uci, p.fen());
    const int kod = p.kod(t);
    p.zahraj(kod);
    const int odpoved = p.odpovez();
    if (odpoved < 0) {
        return false;
    }
    dal = kody;
    dal.push_back(kod);
    dal.push_back(odpoved);
    return true;
}

double ocekavane(Strom& strom, Motory& motory, const Kody& kody, int pultah, int hloubka) {
    const auto [tahy, d] = bilehledani(strom, kody, hloubka);
    if (pultah >= PULTAHU || tahy.empty()) {
        return 0;
    }
    const Vysledek nejlepsi = motory.hledej(d);
    double soucet = 0;
    for (const Varianta& v : nejlepsi) {
        Kody dal;
        if (odpovida(strom, kody, v.tah, dal)) {
            soucet += 2 + ocekavane(strom, motory, dal, pultah + 2, hloubka);
        }
    }
    return soucet / static_cast<double>(nejlepsi.size());
}

std::string format(const char* vzor, double hodnota) {
    char text[64];
    std::snprintf(text, sizeof text, vzor, hodnota);
    return text;
}

} // namespace

std::vector<std::vector<std::string>> generujknihu(Motory& motory, int hloubka,
                                                   void (*prubeh)(int, Motory&)) {
    struct Vetev {
        Kody kody;
        std::vector<std::string> zapis;
        std::vector<std::size_t> deti;
    };
    struct Prace {
        std::size_t vetev;
        std::vector<LegalniTah> tahy;
        Kody kody; // of `tahy`
        bool hledat;
        Dotaz d;
    };
    Strom zadny;
    std::vector<Vetev> vetve(1);
    std::vector<std::size_t> vrstva{0};
    // Ply by ply, so that each ply's searches can run side by side; the
    // order of the lines is that of the tree.
    for (int pultah = 0; !vrstva.empty(); ++pultah) {
        std::vector<Prace> prace;
        std::vector<Dotaz> dotazy;
        for (const std::size_t v : vrstva) {
            Partie p(zadny, vetve[v].kody);
            Prace w{v, legalnitahy(p.hra()), {}, pultah > 0, {}};
            if (pultah >= PULTAHU || w.tahy.empty()) {
                continue; // the line ends here
            }
            for (const LegalniTah& t : w.tahy) {
                w.kody.push_back(p.kod(t));
            }
            if (w.hledat) {
                w.d = dotaz(p.fen(), w.tahy, hloubka, pultah % 2 == 0 ? SIRKA : 1);
                dotazy.push_back(w.d);
            }
            prace.push_back(std::move(w));
        }
        motory.priprav(dotazy);
        std::vector<std::size_t> dalsi;
        for (const Prace& w : prace) {
            std::vector<std::size_t> vybrane;
            if (!w.hledat) {
                for (std::size_t i = 0; i < w.tahy.size(); ++i) {
                    vybrane.push_back(i);
                }
            } else {
                for (const Varianta& v : motory.hledej(w.d)) {
                    const LegalniTah& t = legalni(w.tahy, v.tah, w.d.fen);
                    vybrane.push_back(static_cast<std::size_t>(&t - w.tahy.data()));
                    if (pultah % 2 == 1) {
                        break; // Black's best only
                    }
                }
            }
            for (const std::size_t i : vybrane) {
                Vetev n{vetve[w.vetev].kody, vetve[w.vetev].zapis, {}};
                n.kody.push_back(w.kody[i]);
                n.zapis.push_back(w.tahy[i].zapis);
                vetve.push_back(std::move(n));
                vetve[w.vetev].deti.push_back(vetve.size() - 1);
                dalsi.push_back(vetve.size() - 1);
            }
        }
        vrstva = std::move(dalsi);
        if (prubeh) {
            prubeh(pultah, motory);
        }
    }
    std::vector<std::vector<std::string>> radky;
    std::vector<std::size_t> zasobnik{0};
    while (!zasobnik.empty()) {
        const std::size_t v = zasobnik.back();
        zasobnik.pop_back();
        if (vetve[v].deti.empty()) {
            radky.push_back(vetve[v].zapis);
        }
        zasobnik.insert(zasobnik.end(), vetve[v].deti.rbegin(), vetve[v].deti.rend());
    }
    return radky;
}

std::string textknihy(const std::vector<std::vector<std::string>>& radky) {
    std::string text;
    for (const auto& radek : radky) {
        std::string r;
        for (const std::string& t : radek) {
            r += (r.empty() ? "" : " ") + t;
        }
        text += r + "\n";
    }
    return text;
}

std::vector<std::string> vadyknihy(const std::string& text) {
    Strom strom = nactistrom(text);
    const auto radky = ctiradky(text);
    std::vector<std::string> vady;
    for (std::size_t i = 0; i < radky.size(); ++i) {
        if (!hratelna(strom, radky[i])) {
            vady.push_back("line " + std::to_string(i + 1) + " cannot be played out");
        }
    }
    const auto chybi = bezodpovedi(strom);
    if (!chybi.empty()) {
        std::string seznam;
        for (const std::string& t : chybi) {
            seznam += " " + t;
        }
        vady.push_back("first moves without an answer:" + seznam);
    }
    return vady;
}

Zprava zmer(const std::string& text, Motory& motory, int hloubka) {
    Strom strom = nactistrom(text);
    const auto radky = ctiradky(text);
    Zprava z;
    z.radky = static_cast<int>(radky.size());
    z.uzly = static_cast<int>(strom.size());
    for (const auto& radek : radky) {
        z.mrtve += hratelna(strom, radek) ? 0 : 1;
    }
    z.bezodpovedi = bezodpovedi(strom);

    std::vector<Bila> bile;
    std::vector<Cerna> cerne;
    dosazene(strom, bile, cerne, hloubka);

    // Every search the report needs, side by side: White's best three
    // wherever the computer's play leads through White's fifth move, Black's
    // best at every book move; then the book moves that are not the best.
    std::vector<std::pair<std::size_t, Dotaz>> bilehledane;
    std::vector<Dotaz> dotazy;
    for (std::size_t i = 0; i < bile.size(); ++i) {
        const auto [tahy, d] = bilehledani(strom, bile[i].kody, hloubka);
        if (bile[i].pultah < PULTAHU && !tahy.empty()) {
            bilehledane.emplace_back(i, d);
            dotazy.push_back(d);
        }
    }
    for (const Cerna& c : cerne) {
        dotazy.push_back(c.hledani);
    }
    motory.priprav(dotazy);
    dotazy.clear();
    for (const Cerna& c : cerne) {
        if (motory.hledej(c.hledani)[0].tah != c.tah) {
            dotazy.push_back({c.hledani.fen, hloubka, 1, {c.tah}});
        }
    }
    motory.priprav(dotazy);

    for (const auto& [i, d] : bilehledane) {
        int kryte = 0;
        const Vysledek nejlepsi = motory.hledej(d);
        for (const Varianta& v : nejlepsi) {
            Kody dal;
            kryte += odpovida(strom, bile[i].kody, v.tah, dal) ? 1 : 0;
        }
        auto& [mame, celkem] = z.pokryti[bile[i].pultah];
        mame += kryte;
        celkem += static_cast<int>(nejlepsi.size());
    }
    z.ocekavane = ocekavane(strom, motory, {}, 0, hloubka);

    // The loss of each book move the computer can play: the best move's
    // score minus the book move's, both searched at the same depth.
    for (const Cerna& c : cerne) {
        const Varianta nejlepsi = motory.hledej(c.hledani)[0];
        int ztrata = 0;
        if (nejlepsi.tah != c.tah) {
            const int vlastni = motory.hledej({c.hledani.fen, hloubka, 1, {c.tah}})[0].skore;
            ztrata = std::max(0, nejlepsi.skore - vlastni);
        }
        z.ztraty.push_back({ztrata, c.hledani.fen, c.tah, nejlepsi.tah});
    }
    return z;
}

std::string vypis(const std::string& nazev, std::size_t bajtu, const Zprava& z, Motory& motory,
                  int hloubka) {
    std::ostringstream o;
    o << "book: " << nazev << " (" << z.radky << " lines, " << bajtu << " bytes)\n";
    o << "engine: " << motory.jmeno() << ", depth " << hloubka << ", 1 thread, hash " << HASH_MB
      << " MB\n";
    o << "lines: " << z.radky << "\nnodes: " << z.uzly << "\ndead lines: " << z.mrtve << "\n";
    o << "first moves without an answer: " << z.bezodpovedi.size() << " of 20";
    if (!z.bezodpovedi.empty()) {
        std::string seznam;
        for (const std::string& t : z.bezodpovedi) {
            seznam += (seznam.empty() ? "" : " ") + t;
        }
        o << " (" << seznam << ")";
    }
    o << "\n";
    int mame = 0, celkem = 0;
    for (const auto& [pultah, mc] : z.pokryti) {
        mame += mc.first;
        celkem += mc.second;
    }
    o << "best three White moves covered: " << mame << " of " << celkem << " ("
      << format("%.0f", 100.0 * mame / std::max(celkem, 1)) << " %)\n";
    for (const auto& [pultah, mc] : z.pokryti) {
        o << "  White's move " << pultah / 2 + 1 << " (after ply " << pultah << "): " << mc.first
          << " of " << mc.second << " (" << format("%.0f", 100.0 * mc.first / mc.second) << " %)\n";
    }
    o << "expected plies in book, White picking among the best three: "
      << format("%.1f", z.ocekavane);
    if (!z.ztraty.empty()) {
        const Ztrata* nejhorsi = &z.ztraty[0];
        int horsi = 0;
        double soucet = 0;
        for (const Ztrata& t : z.ztraty) {
            horsi += t.cp > 0 ? 1 : 0;
            soucet += t.cp;
            nejhorsi = t.cp > nejhorsi->cp ? &t : nejhorsi;
        }
        o << "\ncomputer's book moves: " << z.ztraty.size() << ", not the engine's best: " << horsi
          << "\nloss against the engine's best: mean "
          << format("%.1f", soucet / static_cast<double>(z.ztraty.size())) << " cp, worst "
          << nejhorsi->cp << " cp";
        if (nejhorsi->cp > 0) {
            o << "\n  worst: " << nejhorsi->tah << " instead of " << nejhorsi->nejlepsi << " in "
              << nejhorsi->fen;
        }
    }
    return o.str();
}
