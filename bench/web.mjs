// The web version's figures in Debian's chromium, site served from loopback:
// page opened to first board (cold: a fresh browser profile each time),
// click to redrawn canvas, the idle page's processor time, the site's size.
//   node bench/web.mjs SITE      (tools/web.sh bench builds the site and runs this)
import { readdirSync, readFileSync } from "node:fs";
import { join } from "node:path";
import { gzipSync } from "node:zlib";
import { otevri, naplatne, necinnost, pocetcekani, podil, dokonceno, spustprohlizec, spustweb }
  from "../tests/web/prohlizec.mjs";

const site = process.argv[2];
const median = (a) => { const s = [...a].sort((x, y) => x - y); const n = s.length;
  return n % 2 ? s[(n - 1) / 2] : (s[n / 2 - 1] + s[n / 2]) / 2; };
const web = await spustweb(() => site);
const radky = [];

const prvni = [];
for (let i = 0; i < 5; i++) {
  const prohlizec = await spustprohlizec();
  const stranka = await prohlizec.newPage();
  await stranka.setViewport({ width: 800, height: 632 });
  prvni.push(await otevri(stranka, web.adresa));
  await prohlizec.close();
}
radky.push(["page opened to first board, cold (median of 5)", median(prvni), "ms", prvni]);

const prohlizec = await spustprohlizec();
const stranka = await prohlizec.newPage();
await stranka.setViewport({ width: 800, height: 632 });
await otevri(stranka, web.adresa);
// The game handles a press within the event's own task; a frame asked for
// at the press comes after that.
await stranka.evaluate(() => window.addEventListener("mousedown", (e) => {
  window.stisk = e.timeStamp;
  requestAnimationFrame(() => { window.snimek = performance.now(); });
}, true));
// From the press to the game waiting again (everything drawn on the canvas),
// and to the next frame the browser draws.
async function zmer(x, y) {
  const bod = await naplatne(stranka, x, y);
  const pred = await pocetcekani(stranka);
  await stranka.mouse.click(bod.x, bod.y);
  await dokonceno(stranka, pred);
  return stranka.evaluate(() => [window.posledni - window.stisk, window.snimek - window.stisk]);
}
for (const [nazev, x, y] of [["a click on the board (select e2, refused e5: full redraw)", 0, 0],
  ["\"Otocit\"", 450, 65], ["\"Nova hra dva hraci\" (a new game)", 475, 115]]) {
  const hotovo = [], snimek = [];
  for (let i = 0; i < 50; i++) {
    const [bx, by] = x ? [x, y] : [34 * 4 + 17, i % 2 ? 34 * 5 + 17 : 34 * 2 + 17];
    const [h, s] = await zmer(bx, by);
    hotovo.push(h); snimek.push(s);
  }
  radky.push([`${nazev}: press to canvas redrawn (median of 50)`, median(hotovo), "ms"]);
  radky.push([`${nazev}: press to the next frame (median of 50)`, median(snimek), "ms"]);
}

// Some seconds after the clicks above the browser still tidies up after
// them; the idle page is measured once that is over.
await new Promise((r) => setTimeout(r, 15000));
const pred = await necinnost(stranka), t0 = Date.now();
await new Promise((r) => setTimeout(r, 10000));
const { procesor, vlakno } = podil(pred, await necinnost(stranka), (Date.now() - t0) / 1000);
radky.push(["idle page over 10 s: renderer processes' processor time", procesor, "% of a core"]);
radky.push(["idle page over 10 s: the page's main thread's tasks", vlakno, "% of a core"]);
await prohlizec.close();
web.close();

let raw = 0, gz = 0;
for (const soubor of readdirSync(site)) {
  const obsah = readFileSync(join(site, soubor));
  const z = gzipSync(obsah, { level: 9 }).length;
  raw += obsah.length; gz += z;
  radky.push([`  ${soubor}: raw / gzipped`, `${(obsah.length / 1024).toFixed(1)} / ${(z / 1024).toFixed(1)}`, "kB"]);
}
radky.push(["the site in all: raw / gzipped", `${(raw / 1024).toFixed(0)} / ${(gz / 1024).toFixed(0)}`, "kB"]);

for (const [co, hodnota, jednotka, vse] of radky) {
  const h = typeof hodnota === "number" ? hodnota.toFixed(hodnota < 1 ? 3 : 1) : hodnota;
  console.log(`${co.padEnd(78)} ${String(h).padStart(13)} ${jednotka}${vse ? "  (" + vse.map((v) => v.toFixed(0)).join(", ") + ")" : ""}`);
}
