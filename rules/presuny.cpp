// The grid operations every kind of move is made of.
#include "model/sachovnice.h"

Figura* Sachovnice::presun(Figura* kdo, Pozice kam) {
    const Pozice odkud = kdo->pozice;
    Figura* puvodni = pole[kam.first][kam.second];
    pole[odkud.first][odkud.second] = new Prazdno(false, odkud);
    pole[kam.first][kam.second] = kdo;
    kdo->pozice = kam;
    return puvodni;
}

void Sachovnice::vratpresun(Figura* kdo, Pozice odkud, Figura* puvodni) {
    const Pozice kam = puvodni->pozice;
    delete pole[odkud.first][odkud.second];
    pole[odkud.first][odkud.second] = kdo;
    kdo->pozice = odkud;
    pole[kam.first][kam.second] = puvodni;
}

void Sachovnice::vymen(Pozice a, Pozice b) {
    Figura*& na_a = pole[a.first][a.second];
    Figura*& na_b = pole[b.first][b.second];
    std::swap(na_a, na_b);
    na_a->pozice = a;
    na_b->pozice = b;
}

bool Sachovnice::napromenu(Pozice kde) const {
    const int typ = pole[kde.first][kde.second]->typ;
    return (typ == BILY_PESEC && kde.first == 7) || (typ == CERNY_PESEC && kde.first == 0);
}

void Sachovnice::promen(Pozice kde, int typ) {
    Figura*& misto = pole[kde.first][kde.second];
    Figura* nova = novafigura(typ, kde);
    delete misto;
    misto = nova;
}

Figura* Sachovnice::zkustah(Figura* kdo, Pozice kam) {
    const Pozice odkud = kdo->pozice;
    Figura* sebrana = presun(kdo, kam);
    if (!nenisach()) {
        vratpresun(kdo, odkud, sebrana);
        return nullptr;
    }
    return sebrana;
}

void Sachovnice::oznacpohyb(Pozice kde) {
    Figura* f = pole[kde.first][kde.second];
    if (druh(f->typ) == BILA_VEZ || jekral(f->typ)) {
        f->nepohnuta = false;
    }
}
