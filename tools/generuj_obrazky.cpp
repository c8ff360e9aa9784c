// Draws the board bitmaps: the two empty squares and the twelve pieces on
// each square colour, 34 x 34 pixels, 24-bit BMP.
//
//   generuj_obrazky <font.ttf> <output directory>
//
// The pieces are the chess glyphs U+2654..U+265F of the given font (DejaVu Sans
// is what the assets are made with). Every piece starts as its silhouette
// painted light. A white piece then gets the outline glyph painted dark over
// it; a black piece gets the filled glyph painted dark, so the glyph's holes
// stay light as detail lines. All arithmetic is on integers, so the same font
// and the same FreeType give the same bytes on every run.
#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const int STRANA = 34; // side of a square in pixels
const int OKRAJ = 2;   // free pixels kept between the piece's ink and the edge

struct Barva {
    int r, g, b;
};

const Barva TMAVE_POLE = {181, 126, 84};   // warm brown
const Barva SVETLE_POLE = {240, 218, 181}; // cream
const Barva BILA_VYPLN = {250, 248, 240};
const Barva BILY_OBRYS = {24, 24, 24};
const Barva CERNA_VYPLN = {34, 30, 28};

// Coverage of one glyph, 0..255 per pixel, on a STRANA x STRANA grid.
using Maska = std::vector<int>;

// A rendered glyph: its coverage as SDL_ttf lays it out and the box of its ink.
struct Glyf {
    int w = 0, h = 0;
    std::vector<int> pokryti;
    int x0 = 0, y0 = 0, x1 = -1, y1 = -1; // inclusive; x1 < x0 when there is no ink
};

bool vykresli(TTF_Font* pismo, Uint16 znak, Glyf& glyf) {
    const Uint16 text[2] = {znak, 0};
    SDL_Color bila = {255, 255, 255, 0};
    SDL_Surface* povrch = TTF_RenderUNICODE_Blended(pismo, text, bila);
    if (!povrch) {
        return false;
    }
    if (povrch->format->BytesPerPixel != 4) {
        SDL_FreeSurface(povrch);
        return false;
    }
    SDL_LockSurface(povrch);
    glyf.w = povrch->w;
    glyf.h = povrch->h;
    glyf.pokryti.assign(static_cast<size_t>(glyf.w * glyf.h), 0);
    glyf.x0 = glyf.w;
    glyf.y0 = glyf.h;
    glyf.x1 = -1;
    glyf.y1 = -1;
    for (int y = 0; y < glyf.h; ++y) {
        const Uint8* radek = static_cast<const Uint8*>(povrch->pixels) + y * povrch->pitch;
        for (int x = 0; x < glyf.w; ++x) {
            Uint32 pixel = 0;
            std::copy(radek + x * 4, radek + x * 4 + 4, reinterpret_cast<Uint8*>(&pixel));
            Uint8 r, g, b, a;
            SDL_GetRGBA(pixel, povrch->format, &r, &g, &b, &a);
            glyf.pokryti[static_cast<size_t>(y * glyf.w + x)] = a;
            if (a > 0) {
                glyf.x0 = std::min(glyf.x0, x);
                glyf.x1 = std::max(glyf.x1, x);
                glyf.y0 = std::min(glyf.y0, y);
                glyf.y1 = std::max(glyf.y1, y);
            }
        }
    }
    SDL_UnlockSurface(povrch);
    SDL_FreeSurface(povrch);
    return true;
}

// Places a glyph on the square with its top left pixel at (dx, dy).
Maska umisti(const Glyf& glyf, int dx, int dy) {
    Maska maska(STRANA * STRANA, 0);
    for (int y = 0; y < glyf.h; ++y) {
        for (int x = 0; x < glyf.w; ++x) {
            int cx = x + dx, cy = y + dy;
            if (cx >= 0 && cx < STRANA && cy >= 0 && cy < STRANA) {
                maska[static_cast<size_t>(cy * STRANA + cx)] =
                    glyf.pokryti[static_cast<size_t>(y * glyf.w + x)];
            }
        }
    }
    return maska;
}

// The inside of a piece: everything the outside cannot reach without crossing
// the glyphs' ink, the holes of the filled glyph included. It is painted
// solid; the pixels on the rim are left to the ink's own anti-aliasing.
Maska vnitrek(const Maska& obrys, const Maska& vypln) {
    const int PRAH = 128; // coverage that stops the outside
    std::vector<bool> stena(STRANA * STRANA), venku(STRANA * STRANA, false);
    for (size_t i = 0; i < stena.size(); ++i) {
        stena[i] = std::max(obrys[i], vypln[i]) >= PRAH;
    }
    std::vector<int> fronta;
    for (int i = 0; i < STRANA; ++i) {
        for (int j : {i, (STRANA - 1) * STRANA + i, i * STRANA, i * STRANA + STRANA - 1}) {
            if (!stena[static_cast<size_t>(j)] && !venku[static_cast<size_t>(j)]) {
                venku[static_cast<size_t>(j)] = true;
                fronta.push_back(j);
            }
        }
    }
    while (!fronta.empty()) {
        const int i = fronta.back();
        fronta.pop_back();
        const int x = i % STRANA, y = i / STRANA;
        const int sousede[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
        for (const auto& s : sousede) {
            if (s[0] < 0 || s[0] >= STRANA || s[1] < 0 || s[1] >= STRANA) {
                continue;
            }
            const size_t j = static_cast<size_t>(s[1] * STRANA + s[0]);
            if (!stena[j] && !venku[j]) {
                venku[j] = true;
                fronta.push_back(static_cast<int>(j));
            }
        }
    }
    Maska maska(STRANA * STRANA, 0);
    for (int y = 0; y < STRANA; ++y) {
        for (int x = 0; x < STRANA; ++x) {
            const size_t i = static_cast<size_t>(y * STRANA + x);
            bool na_kraji = venku[i];
            if (x > 0 && venku[i - 1]) {
                na_kraji = true;
            }
            if (x + 1 < STRANA && venku[i + 1]) {
                na_kraji = true;
            }
            if (y > 0 && venku[i - STRANA]) {
                na_kraji = true;
            }
            if (y + 1 < STRANA && venku[i + STRANA]) {
                na_kraji = true;
            }
            maska[i] = na_kraji ? 0 : 255;
        }
    }
    return maska;
}

struct Obraz {
    std::vector<Barva> pixely = std::vector<Barva>(STRANA * STRANA);
};

Obraz vyplnene(Barva barva) {
    Obraz obraz;
    std::fill(obraz.pixely.begin(), obraz.pixely.end(), barva);
    return obraz;
}

int smichej(int pod, int nad, int alfa) {
    return (pod * (255 - alfa) + nad * alfa + 127) / 255;
}

// Paints the colour over the image wherever the mask covers it.
void natri(Obraz& obraz, const Maska& maska, Barva barva) {
    for (size_t i = 0; i < obraz.pixely.size(); ++i) {
        Barva& p = obraz.pixely[i];
        p = {smichej(p.r, barva.r, maska[i]), smichej(p.g, barva.g, maska[i]),
             smichej(p.b, barva.b, maska[i])};
    }
}

bool uloz(const Obraz& obraz, const std::string& cesta) {
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
    const Uint32 rm = 0xFF0000, gm = 0x00FF00, bm = 0x0000FF;
#else
    const Uint32 rm = 0x0000FF, gm = 0x00FF00, bm = 0xFF0000;
#endif
    SDL_Surface* povrch = SDL_CreateRGBSurface(SDL_SWSURFACE, STRANA, STRANA, 24, rm, gm, bm, 0);
    if (!povrch) {
        return false;
    }
    SDL_LockSurface(povrch);
    Uint8* data = static_cast<Uint8*>(povrch->pixels);
    std::fill(data, data + povrch->h * povrch->pitch, Uint8{0});
    for (int y = 0; y < STRANA; ++y) {
        for (int x = 0; x < STRANA; ++x) {
            const Barva& b = obraz.pixely[static_cast<size_t>(y * STRANA + x)];
            Uint32 pixel = SDL_MapRGB(povrch->format, static_cast<Uint8>(b.r),
                                      static_cast<Uint8>(b.g), static_cast<Uint8>(b.b));
            Uint8* p = data + y * povrch->pitch + x * 3;
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
            p[0] = static_cast<Uint8>(pixel);
            p[1] = static_cast<Uint8>(pixel >> 8);
            p[2] = static_cast<Uint8>(pixel >> 16);
#else
            p[0] = static_cast<Uint8>(pixel >> 16);
            p[1] = static_cast<Uint8>(pixel >> 8);
            p[2] = static_cast<Uint8>(pixel);
#endif
        }
    }
    SDL_UnlockSurface(povrch);
    bool ok = SDL_SaveBMP(povrch, cesta.c_str()) == 0;
    SDL_FreeSurface(povrch);
    return ok;
}

// Piece letters in the order of the glyphs: king, queen, rook, bishop, knight, pawn.
const char FIGURY[] = "kqrbnp";
const Uint16 BILY_KRAL = 0x2654; // outline glyphs; the filled ones follow 6 later

struct Sada {
    Glyf obrys[6], vypln[6];
};

bool nacti_sadu(TTF_Font* pismo, Sada& sada) {
    for (int i = 0; i < 6; ++i) {
        if (!vykresli(pismo, static_cast<Uint16>(BILY_KRAL + i), sada.obrys[i]) ||
            !vykresli(pismo, static_cast<Uint16>(BILY_KRAL + 6 + i), sada.vypln[i])) {
            return false;
        }
        if (sada.vypln[i].x1 < 0) {
            return false; // the font has no such glyph
        }
    }
    return true;
}

// The largest ink box of the set.
void rozmer_sady(const Sada& sada, int& sirka, int& vyska) {
    sirka = vyska = 0;
    for (const Glyf* g : {sada.obrys, sada.vypln}) {
        for (int i = 0; i < 6; ++i) {
            sirka = std::max(sirka, g[i].x1 - g[i].x0 + 1);
            vyska = std::max(vyska, g[i].y1 - g[i].y0 + 1);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <font.ttf> <output directory>\n", argv[0]);
        return 2;
    }
    const std::string pismo_cesta = argv[1];
    const std::string adresar = argv[2];
    if (SDL_Init(0) != 0 || TTF_Init() != 0) {
        std::fprintf(stderr, "SDL: %s\n", SDL_GetError());
        return 1;
    }

    // The largest point size whose pieces fit the square with OKRAJ to spare.
    Sada sada;
    int velikost = 0;
    for (int pt = 2 * STRANA; pt > 4; --pt) {
        TTF_Font* pismo = TTF_OpenFont(pismo_cesta.c_str(), pt);
        if (!pismo) {
            std::fprintf(stderr, "%s: %s\n", pismo_cesta.c_str(), TTF_GetError());
            return 1;
        }
        TTF_SetFontHinting(pismo, TTF_HINTING_NORMAL);
        bool ok = nacti_sadu(pismo, sada);
        TTF_CloseFont(pismo);
        if (!ok) {
            std::fprintf(stderr, "%s: no chess glyphs\n", pismo_cesta.c_str());
            return 1;
        }
        int sirka, vyska;
        rozmer_sady(sada, sirka, vyska);
        if (sirka <= STRANA - 2 * OKRAJ && vyska <= STRANA - 2 * OKRAJ) {
            velikost = pt;
            break;
        }
    }
    if (velikost == 0) {
        std::fprintf(stderr, "%s: the chess glyphs do not fit\n", pismo_cesta.c_str());
        return 1;
    }

    // One baseline for all pieces: the union of the ink boxes is centred
    // vertically; each piece is centred horizontally on its own ink.
    int horni = sada.vypln[0].y0, dolni = sada.vypln[0].y1;
    for (int i = 0; i < 6; ++i) {
        horni = std::min({horni, sada.vypln[i].y0, sada.obrys[i].y0});
        dolni = std::max({dolni, sada.vypln[i].y1, sada.obrys[i].y1});
    }
    const int dy = (STRANA - (dolni - horni + 1)) / 2 - horni;

    const Barva pole[2] = {TMAVE_POLE, SVETLE_POLE};
    const char jmeno_pole[2] = {'b', 'w'};
    int chyby = 0;
    for (int p = 0; p < 2; ++p) {
        if (!uloz(vyplnene(pole[p]), adresar + "/" + jmeno_pole[p] + ".bmp")) {
            ++chyby;
        }
        for (int i = 0; i < 6; ++i) {
            const Glyf& v = sada.vypln[i];
            const int dx = (STRANA - (v.x1 - v.x0 + 1)) / 2 - v.x0;
            const Maska vypln = umisti(v, dx, dy);
            const Maska obrys = umisti(sada.obrys[i], dx, dy);

            const Maska uvnitr = vnitrek(obrys, vypln);

            Obraz bila = vyplnene(pole[p]);
            natri(bila, uvnitr, BILA_VYPLN);
            natri(bila, vypln, BILA_VYPLN);
            natri(bila, obrys, BILY_OBRYS);
            Obraz cerna = vyplnene(pole[p]);
            natri(cerna, uvnitr, BILA_VYPLN);
            natri(cerna, vypln, CERNA_VYPLN);

            const std::string konec = std::string(1, FIGURY[i]) + jmeno_pole[p] + ".bmp";
            if (!uloz(bila, adresar + "/w" + konec) || !uloz(cerna, adresar + "/b" + konec)) {
                ++chyby;
            }
        }
    }
    if (chyby) {
        std::fprintf(stderr, "%s: cannot write the bitmaps: %s\n", adresar.c_str(), SDL_GetError());
    }
    TTF_Quit();
    SDL_Quit();
    return chyby ? 1 : 0;
}
