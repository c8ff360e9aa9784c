// Our page around the game: loads its files with a progress line, registers
// the captions' font, starts the game on the canvas and keeps the site for
// offline play. Every failure ends in a plain message instead of the game.
"use strict";

(function () {
  var stav = document.getElementById("stav");
  var platno = document.getElementById("hra");

  var selhalo = false;

  function chyba(text) {
    selhalo = true;
    stav.textContent = text;
    stav.className = "chyba";
    platno.hidden = true;
  }

  if (typeof WebAssembly !== "object" || typeof fetch !== "function" ||
      typeof Promise !== "function" || typeof FontFace !== "function") {
    chyba("Tento prohlizec neumi spustit WebAssembly, a hra v nem proto nepobezi. " +
          "Otevrete ji v novejsim prohlizeci.");
    return;
  }

  // The game's files, loaded side by side; the progress line adds them up.
  var soubory = ["sachy.wasm", "sachy.data", "free.ttf"];
  var nacteno = {};
  var velikost = {};

  function ukazpostup() {
    // The other files may still be arriving after one has failed.
    if (selhalo) {
      return;
    }
    var hotovo = 0;
    var celkem = 0;
    soubory.forEach(function (jmeno) {
      hotovo += nacteno[jmeno] || 0;
      celkem += velikost[jmeno] || 0;
    });
    var kb = function (bajty) { return Math.round(bajty / 1024); };
    stav.textContent = "Nacitam hru: " + kb(hotovo) + (celkem ? " z " + kb(celkem) : "") + " kB";
  }

  function nactisoubor(jmeno) {
    return fetch(jmeno).then(function (odpoved) {
      if (!odpoved.ok) {
        throw new Error("Soubor " + jmeno + " se nepodarilo nacist (HTTP " + odpoved.status +
                        "). Zkuste stranku nacist znovu.");
      }
      velikost[jmeno] = Number(odpoved.headers.get("Content-Length")) || 0;
      if (!odpoved.body || !odpoved.body.getReader) {
        return odpoved.arrayBuffer();
      }
      var cteni = odpoved.body.getReader();
      var kusy = [];
      nacteno[jmeno] = 0;
      function dalsi() {
        return cteni.read().then(function (kus) {
          if (kus.done) {
            var vse = new Uint8Array(nacteno[jmeno]);
            var kde = 0;
            kusy.forEach(function (k) { vse.set(k, kde); kde += k.length; });
            return vse.buffer;
          }
          kusy.push(kus.value);
          nacteno[jmeno] += kus.value.length;
          ukazpostup();
          return dalsi();
        });
      }
      return dalsi();
    }, function () {
      throw new Error("Soubor " + jmeno + " se nepodarilo nacist: neni spojeni se serverem. " +
                      "Zkuste stranku nacist znovu.");
    });
  }

  // Emscripten's SDL_ttf draws with the canvas font "free.ttf"; the family
  // must exist before the first caption is drawn, or a fallback font is used.
  function zaregistrujpismo(data) {
    var pismo = new FontFace("free.ttf", data);
    return pismo.load().then(function () { document.fonts.add(pismo); }, function () {
      throw new Error("Pismo free.ttf se nepodarilo pouzit. Zkuste stranku nacist znovu.");
    });
  }

  function spusthru(wasm, data) {
    return new Promise(function (hotovo, selhani) {
      var prvni = true;
      window.Module = {
        canvas: platno,
        // SDL would otherwise take every key of the page from the browser.
        keyboardListeningElement: platno,
        getPreloadedPackage: function () { return data; },
        instantiateWasm: function (importy, prijmi) {
          WebAssembly.instantiate(wasm, importy).then(function (vysledek) {
            prijmi(vysledek.instance, vysledek.module);
          }, function (e) {
            selhani(new Error("Hru se nepodarilo spustit: " + e.message));
          });
          return {};
        },
        // Called by the game each time it waits for the player.
        cekani: function () {
          if (prvni) {
            prvni = false;
            performance.mark("sachy-prvni-sachovnice");
            hotovo();
          }
        },
        print: function (text) { console.log(text); },
        printErr: function (text) { console.warn(text); },
        onAbort: function (duvod) {
          chyba("Hra skoncila chybou (" + duvod + "). Zkuste stranku nacist znovu.");
        }
      };
      var skript = document.createElement("script");
      skript.src = "sachy.js";
      skript.onerror = function () {
        selhani(new Error("Soubor sachy.js se nepodarilo nacist. Zkuste stranku nacist znovu."));
      };
      document.body.appendChild(skript);
    });
  }

  platno.addEventListener("contextmenu", function (udalost) { udalost.preventDefault(); });

  Promise.all(soubory.map(nactisoubor)).then(function (obsah) {
    return zaregistrujpismo(obsah[2]).then(function () { return spusthru(obsah[0], obsah[1]); });
  }).then(function () {
    // The game names its window on the desktop, which here is the page's
    // tab; the tab keeps the game's name.
    document.title = "Sachy";
    stav.textContent = "";
    if ("serviceWorker" in navigator) {
      navigator.serviceWorker.register("sw.js").catch(function (e) {
        console.warn("Hra nebude k dispozici bez spojeni: " + e.message);
      });
    }
  }, function (e) {
    chyba(e.message);
  });
})();
