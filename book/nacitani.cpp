// Loading the opening book: every line of "a.txt" is one opening from the
// start; lines that begin alike share their nodes.
#include "model/sachovnice.h"

#include <fstream>

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
    // Marks the entry for the last move of a line. Until a later line
    // continues that line exactly, it leads nowhere: at the end it leads out
    // of the book. No real node has this number.
    constexpr int KONEC = -1;
    // What `>>` takes for spaces in the classic locale.
    constexpr const char* MEZERY = " \t\n\v\f\r";
    std::string radek;
    std::vector<std::string> tahy;

    // The first line without a move ends the book.
    while (std::getline(vstup, radek)) {
        tahy.clear();
        for (auto zacatek = radek.find_first_not_of(MEZERY); zacatek != std::string::npos;) {
            const auto konec = radek.find_first_of(MEZERY, zacatek);
            tahy.push_back(radek.substr(zacatek, konec - zacatek));
            zacatek = radek.find_first_not_of(MEZERY, konec);
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
                knihovna.push_back({{pohyb, posledni ? KONEC : n + 1}});
                kurzor = n + 1;
            } else if (auto vetev = knihovna[kurzor].find(pohyb); vetev != knihovna[kurzor].end()) {
                if (posledni) {
                    break; // a line that ends on a known move adds nothing
                }
                // A line that goes on past where an earlier one ended gets
                // the next node appended, just like a new move.
                if (vetev->second == KONEC) {
                    vetev->second = n;
                }
                kurzor = vetev->second;
            } else {
                knihovna[kurzor].emplace(pohyb, posledni ? KONEC : n);
                kurzor = n;
            }
        }
    }

    const int mimo = static_cast<int>(knihovna.size());
    for (auto& uzel : knihovna) {
        for (auto& vetev : uzel) {
            if (vetev.second == KONEC) {
                vetev.second = mimo;
            }
        }
    }
}
