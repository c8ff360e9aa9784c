// What the browser test and the web benchmark share: Debian's chromium,
// headless, with a fresh profile; the site served on 127.0.0.1; opening the
// page until the game waits for its first click; reading the canvas.
import puppeteer from "puppeteer-core";
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { spustserver } from "../../tools/web_server.mjs";

export const CHROMIUM = process.env.CHROMIUM || "/usr/bin/chromium";

// No browser is downloaded and nothing is fetched but the site.
export async function spustprohlizec() {
  const profil = mkdtempSync(join(tmpdir(), "sachy-chromium-"));
  const prohlizec = await puppeteer.launch({
    executablePath: CHROMIUM,
    headless: false,
    userDataDir: profil,
    args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
      "--disable-background-networking", "--disable-component-update", "--disable-sync"],
  });
  const zavri = prohlizec.close.bind(prohlizec);
  prohlizec.close = async () => {
    await zavri();
    rmSync(profil, { recursive: true, force: true });
  };
  return prohlizec;
}

// Serves the directory that `koren()` names; `adresa` is the site's URL.
export async function spustweb(koren, port = 0) {
  const server = await spustserver(koren, port);
  server.adresa = `http://127.0.0.1:${server.address().port}/`;
  return server;
}

// Opens the page and waits until the game waits for the player; the time
// from the start of navigation to that wait, in ms. The page counts the
// game's waits in window.cekani (the last one's time in window.posledni).
const sledovane = new WeakSet();
export async function otevri(stranka, adresa, jak = "goto") {
  if (!sledovane.has(stranka)) {
    sledovane.add(stranka);
    await pocitejcekani(stranka);
  }
  if (jak === "goto") {
    await stranka.goto(adresa);
  } else {
    await stranka.reload();
  }
  await stranka.waitForFunction(() => window.cekani > 0, { timeout: 30000 });
  return stranka.evaluate(() => performance.getEntriesByName("sachy-prvni-sachovnice")[0].startTime);
}

function pocitejcekani(stranka) {
  return stranka.evaluateOnNewDocument(() => {
    window.cekani = 0;
    let modul;
    // The page sets window.Module; its hook is wrapped as it is set.
    Object.defineProperty(window, "Module", {
      configurable: true,
      get: () => modul,
      set: (m) => {
        const jeho = m.cekani;
        // sachy.js assigns the same object again.
        if (m === modul) {
          return;
        }
        m.cekani = () => {
          window.cekani++;
          window.posledni = performance.now();
          jeho();
        };
        modul = m;
      },
    });
  });
}

// Until the game has handled what it was given and waits again, and the
// browser has drawn a frame after that.
export async function dokonceno(stranka, pred) {
  await stranka.waitForFunction((n) => window.cekani > n, { timeout: 30000 }, pred);
  await stranka.evaluate(() => new Promise((r) => requestAnimationFrame(() => r())));
}

export function pocetcekani(stranka) {
  return stranka.evaluate(() => window.cekani);
}

// The canvas's pixels (RGBA, 800 x 600) as the game drew them.
export async function platno(stranka) {
  const b64 = await stranka.evaluate(() => {
    const c = document.getElementById("hra");
    const data = c.getContext("2d").getImageData(0, 0, c.width, c.height).data;
    let s = "";
    for (let i = 0; i < data.length; i += 0x8000) {
      s += String.fromCharCode.apply(null, data.subarray(i, i + 0x8000));
    }
    return btoa(s);
  });
  return Buffer.from(b64, "base64");
}

// A point of the game (800 x 600) on the page, at whatever size the canvas is shown.
export async function naplatne(stranka, x, y) {
  const r = await stranka.evaluate(() => {
    const b = document.getElementById("hra").getBoundingClientRect();
    return { x: b.left, y: b.top, w: b.width, h: b.height };
  });
  return { x: r.x + (x * r.w) / 800, y: r.y + (y * r.h) / 600, sirka: r.w, vyska: r.h };
}

export async function klikni(stranka, x, y, dotykem = false) {
  const bod = await naplatne(stranka, x, y);
  const pred = await pocetcekani(stranka);
  if (dotykem) {
    await stranka.touchscreen.tap(bod.x, bod.y);
  } else {
    await stranka.mouse.click(bod.x, bod.y);
  }
  await dokonceno(stranka, pred);
}

// The processor time so far of every renderer process (the page's among
// them) and the time the page's main thread has spent in tasks, in seconds.
// One session per page, which counts the tasks from its start.
const sezeni = new WeakMap();
export async function necinnost(stranka) {
  const prohlizec = await stranka.browser().target().createCDPSession();
  const procesy = (await prohlizec.send("SystemInfo.getProcessInfo")).processInfo;
  await prohlizec.detach();
  if (!sezeni.has(stranka)) {
    const s = await stranka.createCDPSession();
    await s.send("Performance.enable");
    sezeni.set(stranka, s);
  }
  const metriky = (await sezeni.get(stranka).send("Performance.getMetrics")).metrics;
  return {
    procesy: new Map(procesy.filter((p) => p.type === "renderer").map((p) => [p.id, p.cpuTime])),
    vlakno: metriky.find((m) => m.name === "TaskDuration").value,
  };
}

// Both as percentages of a core over `sekundy`.
export function podil(pred, po, sekundy) {
  let cpu = 0;
  for (const [id, cas] of po.procesy) cpu += cas - (pred.procesy.get(id) || 0);
  return { procesor: (cpu / sekundy) * 100, vlakno: ((po.vlakno - pred.vlakno) / sekundy) * 100 };
}
