// sachy-kniha [SOUBOR]: checks an opening book file (a.txt in the working
// directory by default) and reports every move the game would pass over or
// cannot read. Exit status 0 when there is none, 1 when there is any, 2 when
// the file cannot be read.
#include "book/kontrola.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {

constexpr int NALEZENO = 1;
constexpr int NECITELNY = 2;

const char* const POUZITI = "Pouziti: sachy-kniha [SOUBOR]\n"
                            "Zkontroluje knihovnu zahajeni (bez SOUBORU a.txt v pracovnim "
                            "adresari)\na vypise kazdy tah, ktery hra preskoci nebo neprecte.\n";

int necitelny(const std::string& soubor, const std::string& proc) {
    std::cerr << "sachy-kniha: " << soubor << " nelze precist: " << proc << '\n';
    return NECITELNY;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 2) {
        std::cerr << POUZITI;
        return NECITELNY;
    }
    const std::string soubor = argc == 2 ? argv[1] : "a.txt";
    if (soubor == "--help" || soubor == "-h") {
        std::cout << POUZITI;
        return 0;
    }

    std::error_code chyba;
    if (std::filesystem::is_directory(soubor, chyba)) {
        return necitelny(soubor, "je to adresar");
    }
    std::ifstream vstup(soubor, std::ios::binary);
    if (!vstup) {
        return necitelny(soubor, std::strerror(errno));
    }
    const VysledekKontroly vysledek = zkontrolujknihovnu(vstup);
    if (vstup.bad()) {
        return necitelny(soubor, std::strerror(errno));
    }

    for (const Nalez& nalez : vysledek.nalezy) {
        std::cout << popisnalezu(soubor, nalez) << '\n';
    }
    std::cout << soubor << ": linii " << vysledek.linii << ", problemu " << vysledek.nalezy.size()
              << '\n';
    return vysledek.nalezy.empty() ? 0 : NALEZENO;
}
