// Loading the opening book: every line of "a.txt" is one opening from the
// start; lines that begin alike share their nodes.
#include "model/sachovnice.h"

#include <fstream>
#include <set>
#include <sstream>

int Sachovnice::radekznaku(char znak) {
    return znak >= '1' && znak <= '8' ? znak - '1' : 100;
}

int Sachovnice::sloupecznaku(char znak) {
    if (znak >= 'a' && znak <= 'h') {
        return znak - 'a';
    }
    if (znak >= 'A' && znak <= 'H') {
        return znak - 'A';
    }
    return 100;
}

int Sachovnice::kodtahu(const std::string& t) {
    if (t.size() == 4) {
        int pohyb = sloupecznaku(t[0]) * 10;
        pohyb = (pohyb + radekznaku(t[1])) * 10;
        pohyb = (pohyb + sloupecznaku(t[2])) * 10;
        return pohyb + radekznaku(t[3]);
    }
    if (t == "O-O") {
        return 8;
    }
    if (t == "O-O-O") {
        return 9;
    }
    return 0;
}

void Sachovnice::nactiknihovnu() {
    std::ifstream soubor("a.txt");
    if (soubor) {
        nactiknihovnu(soubor);
    }
}

void Sachovnice::nactiknihovnu(std::istream& vstup) {
    std::string radek;
    std::istringstream parse;
    std::vector<std::string> tahy;
    // Entries for the last move of a line. Until a later line continues that
    // line exactly, they lead nowhere: at the end they lead out of the book.
    std::set<std::pair<int, int>> konce;

    // The first line without a move ends the book.
    while (std::getline(vstup, radek)) {
        tahy.clear();
        parse.clear();
        parse.str(radek);
        for (std::string token; parse >> token;) {
            tahy.push_back(token);
        }
        if (tahy.empty()) {
            break;
        }

        int kurzor = 0;
        for (std::size_t i = 0; i < tahy.size(); ++i) {
            const int pohyb = kodtahu(tahy[i]);
            const int n = static_cast<int>(knihovna.size());
            const bool posledni = i + 1 == tahy.size();
            if (kurzor == n) {
                knihovna.push_back({{pohyb, n + 1}});
                if (posledni) {
                    konce.emplace(n, pohyb);
                }
                kurzor = n + 1;
            } else if (auto vetev = knihovna[kurzor].find(pohyb); vetev != knihovna[kurzor].end()) {
                // A line that goes on past where an earlier one ended gets
                // the next node appended, just like a new move.
                if (!posledni && konce.erase({kurzor, pohyb}) > 0) {
                    vetev->second = n;
                }
                kurzor = vetev->second;
            } else {
                knihovna[kurzor].emplace(pohyb, n);
                if (posledni) {
                    konce.emplace(kurzor, pohyb);
                }
                kurzor = n;
            }
        }
    }

    const int mimo = static_cast<int>(knihovna.size());
    for (const auto& [uzel_konce, pohyb] : konce) {
        knihovna[uzel_konce][pohyb] = mimo;
    }
}
