// The web version in a real browser: Debian's chromium, headless, driven by
// puppeteer-core, the site served on 127.0.0.1. Every check reads the canvas
// back and compares it with the game's bitmaps.
//   node tests/web/test_web.mjs SITE
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { klikni, naplatne, necinnost, otevri, platno, pocetcekani, podil, dokonceno, spustprohlizec,
  spustweb }
  from "./prohlizec.mjs";

const ASSETS = join(dirname(fileURLToPath(import.meta.url)), "..", "..", "assets");
const site = process.argv[2];
// Screenshots of the page at full size, half size and with the promotion dialog.
const SNIMKY = process.env.SACHY_WEB_SNIMKY || tmpdir();
const POLE = 34;
const OTOCIT = [450, 65], DVA_HRACI = [475, 115], JEDEN_HRAC = [475, 165];
const VOLBY_Y = 350;
const VOLBY = { n: 102, b: 136, r: 170, q: 204 };

// ------------------------------------------------------------ the board
function bmp(jmeno) {
  const d = readFileSync(join(ASSETS, jmeno + ".bmp"));
  const w = d.readInt32LE(18), h = d.readInt32LE(22), od = d.readUInt32LE(10);
  const radek = Math.ceil((w * 3) / 4) * 4;
  const rgb = Buffer.alloc(w * Math.abs(h) * 3);
  for (let y = 0; y < Math.abs(h); y++) {
    const zdroj = od + (h > 0 ? Math.abs(h) - 1 - y : y) * radek;
    for (let x = 0; x < w; x++) {
      for (let k = 0; k < 3; k++) rgb[(y * w + x) * 3 + k] = d[zdroj + x * 3 + 2 - k];
    }
  }
  return rgb;
}
const bitmapy = new Map();
const obrazek = (jmeno) => bitmapy.get(jmeno) || bitmapy.set(jmeno, bmp(jmeno)).get(jmeno);

const pole = (n) => [Number(n[1]) - 1, n.charCodeAt(0) - 97];
const roh = ([r, s], otoceno) => [POLE * (8 - s), otoceno ? POLE * (r + 1) : POLE * (8 - r)];
const stred = (n, otoceno = true) => roh(pole(n), otoceno).map((v) => v + POLE / 2);

function zakladni() {
  const deska = new Map();
  "rnbqkbnr".split("").forEach((f, s) => {
    const sloupec = "abcdefgh"[s];
    deska.set(sloupec + "1", "w" + f).set(sloupec + "2", "wp");
    deska.set(sloupec + "7", "bp").set(sloupec + "8", "b" + f);
  });
  return deska;
}
function tahni(deska, tah) {
  const nova = new Map(deska);
  nova.set(tah.slice(2, 4), nova.get(tah.slice(0, 2)));
  nova.delete(tah.slice(0, 2));
  return nova;
}

// Squares whose pixels are not those of the bitmap the position puts there.
function rozdily(pixely, deska, otoceno) {
  const spatne = [];
  for (let r = 0; r < 8; r++) {
    for (let s = 0; s < 8; s++) {
      const nazev = "abcdefgh"[s] + (r + 1);
      const ocekavany = obrazek((deska.get(nazev) || "") + ((r + s) % 2 === 0 ? "b" : "w"));
      const [x0, y0] = roh([r, s], otoceno);
      if (!shoda(pixely, x0, y0, ocekavany, POLE)) spatne.push(nazev);
    }
  }
  return spatne;
}
function shoda(pixely, x0, y0, rgb, w) {
  for (let y = 0; y < rgb.length / 3 / w; y++) {
    for (let x = 0; x < w; x++) {
      const i = ((y0 + y) * 800 + x0 + x) * 4, j = (y * w + x) * 3;
      if (pixely[i] !== rgb[j] || pixely[i + 1] !== rgb[j + 1] || pixely[i + 2] !== rgb[j + 2]) {
        return false;
      }
    }
  }
  return true;
}

// The computer's book reply to a first move: the smallest code among the
// book's second moves after it (from-file·1000 + from-rank·100 + to-file·10 + to-rank).
function knizniodpoved(prvni) {
  const kod = (t) => t === "O-O" ? 8 : t === "O-O-O" ? 9 :
    (t.charCodeAt(0) - 97) * 1000 + (Number(t[1]) - 1) * 100 + (t.charCodeAt(2) - 97) * 10 +
    Number(t[3]) - 1;
  const radky = readFileSync(join(ASSETS, "a.txt"), "latin1").split("\n");
  const konec = radky.findIndex((r) => r.trim() === "");
  const odpovedi = radky.slice(0, konec < 0 ? undefined : konec)
    .map((r) => r.trim().split(/\s+/)).filter((t) => t[0] === prvni && t[1]).map((t) => t[1]);
  return { tah: odpovedi.sort((a, b) => kod(a) - kod(b))[0], linie: radky };
}

// ------------------------------------------------------------ the checks
const vysledky = [];
async function kontrola(nazev, telo) {
  try {
    const poznamka = await telo();
    vysledky.push([true, nazev, poznamka || ""]);
    console.log(`ok    ${nazev}${poznamka ? ": " + poznamka : ""}`);
  } catch (e) {
    vysledky.push([false, nazev, e.message]);
    console.log(`CHYBA ${nazev}: ${e.stack || e.message}`);
  }
}
function ocekavej(stranka, deska, otoceno = true) {
  return platno(stranka).then((pixely) => {
    const spatne = rozdily(pixely, deska, otoceno);
    if (spatne.length) throw new Error(`squares not as expected: ${spatne.join(" ")}`);
  });
}
async function tahy(stranka, seznam, dotykem = false) {
  for (const tah of seznam) {
    await klikni(stranka, ...stred(tah.slice(0, 2)), dotykem);
    await klikni(stranka, ...stred(tah.slice(2, 4)), dotykem);
  }
}
const klik = (stranka, [x, y]) => klikni(stranka, x, y);

const prohlizec = await spustprohlizec();
let koren = site;
const web = await spustweb(() => koren);
const stranka = await prohlizec.newPage();
const chyby = [];
stranka.on("pageerror", (e) => chyby.push(e.message));
await stranka.setViewport({ width: 800, height: 632 });
const prvni = await otevri(stranka, web.adresa);
console.log(`first board ${prvni.toFixed(0)} ms after navigation`);

await kontrola("page: Czech, titled, our favicon, manifest, progress line gone", async () => {
  const o = await stranka.evaluate(() => ({
    lang: document.documentElement.lang, titul: document.title,
    ikona: document.querySelector("link[rel=icon]").href,
    manifest: document.querySelector("link[rel=manifest]").href,
    stav: document.getElementById("stav").textContent,
  }));
  if (o.lang !== "cs" || o.titul !== "Sachy" || !o.ikona.endsWith("sachy-64.png") || o.stav) {
    throw new Error(JSON.stringify(o));
  }
  const m = await (await fetch(o.manifest)).json();
  if (!m.icons.some((i) => i.sizes === "512x512")) throw new Error("manifest without a 512 px icon");
});

await kontrola("start position square by square against the bitmaps", () => ocekavej(stranka, zakladni()));

await kontrola("a refused move (e2e5) changes nothing", async () => {
  await tahy(stranka, ["e2e5"]);
  await ocekavej(stranka, zakladni());
});

let deska = zakladni();
await kontrola("a move by two clicks (e2e4)", async () => {
  await tahy(stranka, ["e2e4"]);
  deska = tahni(deska, "e2e4");
  await ocekavej(stranka, deska);
});

await kontrola("wheel turns are no clicks (e7 selected, wheel over e5, then e5)", async () => {
  await klikni(stranka, ...stred("e7"));
  const bod = await naplatne(stranka, ...stred("e5"));
  await stranka.mouse.move(bod.x, bod.y);
  const pred = await pocetcekani(stranka);
  await stranka.mouse.wheel({ deltaY: 120 });
  await stranka.mouse.wheel({ deltaY: -120 });
  await dokonceno(stranka, pred);
  await ocekavej(stranka, deska);
  await klikni(stranka, ...stred("e5"));
  deska = tahni(deska, "e7e5");
  await ocekavej(stranka, deska);
});

await kontrola("\"Otocit\" turns the board, twice back", async () => {
  await klik(stranka, OTOCIT);
  await ocekavej(stranka, deska, false);
  await klik(stranka, OTOCIT);
  await ocekavej(stranka, deska, true);
});

await kontrola("captions drawn in free.ttf, not in a fallback", async () => {
  const o = await stranka.evaluate(() => {
    const hra = document.getElementById("hra").getContext("2d");
    // Drawn as Emscripten's SDL_ttf draws "Otocit" at (430, 50) on the white button.
    function vykresli(pismo) {
      const c = document.createElement("canvas");
      c.width = 100; c.height = 30;
      const g = c.getContext("2d");
      g.fillStyle = "#fff"; g.fillRect(0, 0, 100, 30);
      const t = document.createElement("canvas").getContext("2d");
      t.font = pismo;
      t.canvas.width = t.measureText("Otocit").width | 0; t.canvas.height = 16;
      t.font = pismo; t.textBaseline = "bottom"; t.fillStyle = "rgb(0,0,0)";
      t.fillText("Otocit", 0, 16);
      g.drawImage(t.canvas, 30, 0);
      return g.getImageData(0, 0, 100, 30).data;
    }
    const videno = hra.getImageData(400, 50, 100, 30).data;
    const lisi = (a) => a.reduce((n, v, i) => n + (v !== videno[i] ? 1 : 0), 0);
    let tmave = 0;
    for (let i = 0; i < videno.length; i += 4) tmave += videno[i] < 128 ? 1 : 0;
    return { free: lisi(vykresli('16px "free.ttf", serif')), serif: lisi(vykresli("16px serif")),
      sans: lisi(vykresli("16px sans-serif")), tmave, nacteno: document.fonts.check('16px "free.ttf"') };
  });
  if (!o.nacteno || o.tmave < 50 || o.free !== 0 || o.serif === 0 || o.sans === 0) {
    throw new Error(JSON.stringify(o));
  }
  return `${o.tmave} dark pixels; differing from free.ttf 0, from serif ${o.serif / 4}, sans-serif ${o.sans / 4}`;
});

await kontrola("\"Nova hra dva hraci\" starts over", async () => {
  await klik(stranka, DVA_HRACI);
  await ocekavej(stranka, zakladni());
});

const kniha = knizniodpoved("e2e4");
await kontrola(`"Nova hra jeden hrac": the computer's book reply to e2e4 (${kniha.tah})`, async () => {
  await klik(stranka, JEDEN_HRAC);
  await ocekavej(stranka, zakladni());
  await tahy(stranka, ["e2e4"]);
  deska = tahni(tahni(zakladni(), "e2e4"), kniha.tah);
  await ocekavej(stranka, deska);
  await stranka.screenshot({ path: join(SNIMKY, "sachy-web-800.png") });
});

await kontrola("a reply out of book: the computer takes the bishop offered on a6", async () => {
  if (kniha.linie.some((r) => r.startsWith(`e2e4 ${kniha.tah} f1a6`))) throw new Error("f1a6 is in the book");
  await tahy(stranka, ["f1a6"]);
  const pixely = await platno(stranka);
  deska = tahni(deska, "f1a6");
  const vezme = ["b7a6", "b8a6"].map((t) => tahni(deska, t)).find((d) => rozdily(pixely, d, true).length === 0);
  if (!vezme) throw new Error(`squares not as after b7a6 or b8a6: ${rozdily(pixely, deska, true).join(" ")}`);
  return vezme.get("a6") === "bp" ? "b7a6" : "b8a6";
});

await kontrola("promotion: a click outside the dialog ignored, the knight taken", async () => {
  await klik(stranka, DVA_HRACI);
  const partie = ["h2h4", "g7g5", "h4g5", "f7f6", "g5g6", "a7a6", "g6g7", "a6a5"];
  await tahy(stranka, partie);
  deska = partie.reduce(tahni, zakladni());
  await klikni(stranka, ...stred("g7"));
  await klikni(stranka, ...stred("h8"));
  const dialog = async () => {
    const p = await platno(stranka);
    const volby = [["wnw", 102], ["wbb", 136], ["wrw", 170], ["wqb", 204]];
    const spatne = volby.filter(([j, x]) => !shoda(p, x, VOLBY_Y, obrazek(j), POLE));
    if (spatne.length) throw new Error(`dialog choices not shown: ${spatne.map((v) => v[0])}`);
  };
  await dialog();
  await stranka.screenshot({ path: join(SNIMKY, "sachy-web-promena.png") });
  await klik(stranka, DVA_HRACI); // outside the dialog: no new game
  await klikni(stranka, 300, VOLBY_Y + 17); // beside the choices
  await dialog();
  await klikni(stranka, VOLBY.n + 17, VOLBY_Y + 17);
  deska = tahni(deska, "g7h8").set("h8", "wn");
  await ocekavej(stranka, deska);
});

for (const [nazev, sirka, vyska, dotykem] of [
  // The header line takes 32 px above the canvas.
  ["half size, clicks", 400, 332, false], ["half size, taps", 400, 332, true],
  ["twice the size, clicks", 1600, 1232, false], ["twice the size, taps", 1600, 1232, true],
]) {
  await kontrola(`${nazev}: e2e4 played on the square under the pointer`, async () => {
    await stranka.setViewport({ width: sirka, height: vyska, hasTouch: dotykem });
    await klik(stranka, DVA_HRACI);
    const bod = await naplatne(stranka, 0, 0);
    const styl = await stranka.$eval("#hra", (c) => getComputedStyle(c).imageRendering);
    if (bod.sirka !== sirka || bod.vyska !== sirka * 0.75 || styl !== "pixelated") {
      throw new Error(`canvas shown ${bod.sirka} x ${bod.vyska}, ${styl}`);
    }
    await tahy(stranka, ["e2e4", "d7d5", "e4d5"], dotykem);
    await ocekavej(stranka, ["e2e4", "d7d5", "e4d5"].reduce(tahni, zakladni()));
    await stranka.screenshot({ path: join(SNIMKY, `sachy-web-${sirka}.png`) });
    return `canvas ${bod.sirka.toFixed(0)} x ${bod.vyska.toFixed(0)}`;
  });
}
await stranka.setViewport({ width: 800, height: 632 });

await kontrola("idle page under 1 % of a core over 10 s", async () => {
  // Some seconds after a burst of clicks the browser still tidies up after
  // them (2 % of a core for a while after 300 new games); the idle page is
  // measured once that is over, before the new games below.
  await new Promise((r) => setTimeout(r, 5000));
  const pred = await necinnost(stranka), t0 = Date.now();
  await new Promise((r) => setTimeout(r, 10000));
  const { procesor, vlakno } = podil(pred, await necinnost(stranka), (Date.now() - t0) / 1000);
  if (procesor >= 1 || vlakno >= 1) throw new Error(`${procesor.toFixed(2)} % / ${vlakno.toFixed(2)} % of a core`);
  return `${procesor.toFixed(3)} % of a core in the renderer processes, ` +
    `${vlakno.toFixed(3)} % in the page's main thread's tasks`;
});

await kontrola("300 new games without growth of the wasm heap", async () => {
  const halda = () => stranka.evaluate(() => Module.HEAP8.length);
  for (let i = 0; i < 10; i++) await klik(stranka, i % 2 ? JEDEN_HRAC : DVA_HRACI);
  const pred = await halda();
  for (let i = 0; i < 300; i++) await klik(stranka, i % 2 ? JEDEN_HRAC : DVA_HRACI);
  const po = await halda();
  await klik(stranka, DVA_HRACI);
  await ocekavej(stranka, zakladni());
  if (po !== pred) throw new Error(`heap ${pred} -> ${po} bytes`);
  return `${(po / 1048576).toFixed(0)} MB before and after`;
});

await kontrola("offline reload, and a new version replaces the kept one", async () => {
  await stranka.evaluate(async () => {
    await navigator.serviceWorker.ready;
    while (!navigator.serviceWorker.controller) await new Promise((r) => setTimeout(r, 50));
  });
  const stara = await stranka.evaluate(() => caches.keys());
  const port = web.address().port;
  web.closeAllConnections();
  await new Promise((r) => web.close(r));
  await otevri(stranka, web.adresa, "reload");
  await ocekavej(stranka, zakladni());
  await tahy(stranka, ["e2e4"]);
  await ocekavej(stranka, tahni(zakladni(), "e2e4"));
  // The next version: the same site with another service worker.
  const nova = mkdtempSync(join(tmpdir(), "sachy-web-nova-"));
  cpSync(site, nova, { recursive: true });
  const sw = readFileSync(join(nova, "sw.js"), "utf8");
  writeFileSync(join(nova, "sw.js"), sw.replace(/const CACHE = "([^"]+)"/, 'const CACHE = "$1-dalsi"'));
  koren = nova;
  const druhy = await spustweb(() => koren, port);
  try {
    await otevri(stranka, druhy.adresa, "reload");
    const klice = await stranka.waitForFunction(async (s) => {
      const k = await caches.keys();
      return k.length === 1 && k[0] === s + "-dalsi" ? k : null;
    }, { timeout: 20000 }, stara[0]).then((h) => h.jsonValue());
    return `kept ${stara.join(",")}; then ${klice.join(",")}`;
  } finally {
    druhy.closeAllConnections();
    druhy.close();
    rmSync(nova, { recursive: true, force: true });
  }
});

await kontrola("a file that fails to load: a plain message instead of the game", async () => {
  const bez = mkdtempSync(join(tmpdir(), "sachy-web-bez-"));
  cpSync(site, bez, { recursive: true });
  rmSync(join(bez, "sachy.data"));
  const rozbity = await spustweb(() => bez);
  const kontext = await prohlizec.createBrowserContext();
  try {
    const s2 = await kontext.newPage();
    await s2.goto(rozbity.adresa);
    await s2.waitForFunction(() => document.getElementById("stav").className === "chyba", { timeout: 20000 });
    const o = await s2.evaluate(() => ({ text: document.getElementById("stav").textContent,
      skryto: document.getElementById("hra").hidden }));
    if (!o.text.startsWith("Soubor sachy.data se nepodarilo nacist (HTTP 404).") || !o.skryto) {
      throw new Error(JSON.stringify(o));
    }
    return `"${o.text}"`;
  } finally {
    await kontext.close();
    rozbity.close();
    rmSync(bez, { recursive: true, force: true });
  }
});

await kontrola("a browser without WebAssembly: a plain message instead of the game", async () => {
  const kontext = await prohlizec.createBrowserContext();
  const zalozni = await spustweb(() => site);
  try {
    const s2 = await kontext.newPage();
    await s2.evaluateOnNewDocument(() => { delete window.WebAssembly; });
    await s2.goto(zalozni.adresa);
    const o = await s2.evaluate(() => ({ text: document.getElementById("stav").textContent,
      trida: document.getElementById("stav").className, skryto: document.getElementById("hra").hidden }));
    if (!o.text.startsWith("Tento prohlizec neumi spustit WebAssembly") || o.trida !== "chyba" || !o.skryto) {
      throw new Error(JSON.stringify(o));
    }
    return `"${o.text}"`;
  } finally {
    await kontext.close();
    zalozni.close();
  }
});

await kontrola("no script error on the page", async () => {
  if (chyby.length) throw new Error(chyby.join("; "));
});

await prohlizec.close();
const spatne = vysledky.filter((v) => !v[0]).length;
console.log(spatne ? `FAIL: ${spatne} of ${vysledky.length} checks` : `PASS: ${vysledky.length} checks`);
process.exit(spatne ? 1 : 0);
