// A static server for the site on 127.0.0.1, with the MIME types a browser
// needs (application/wasm above all). tools/web.sh serve runs it; the browser
// test imports it.
//   node tools/web_server.mjs SITE [PORT]
import { createServer } from "node:http";
import { readFile } from "node:fs/promises";
import { extname, join, normalize, sep } from "node:path";
import { pathToFileURL } from "node:url";

const TYPY = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript; charset=utf-8",
  ".css": "text/css; charset=utf-8",
  ".wasm": "application/wasm",
  ".data": "application/octet-stream",
  ".ttf": "font/ttf",
  ".png": "image/png",
  ".webmanifest": "application/manifest+json",
  ".LICENSE": "text/plain; charset=utf-8",
};

// Serves the directory `koren()` names at each request, so a test can switch
// the site under a running server. Resolves to the listening server.
export function spustserver(koren, port = 0) {
  const server = createServer(async (pozadavek, odpoved) => {
    const cesta = decodeURIComponent(new URL(pozadavek.url, "http://x").pathname);
    const soubor = normalize(join(koren(), cesta.endsWith("/") ? cesta + "index.html" : cesta));
    if (!soubor.startsWith(normalize(koren()) + sep)) {
      odpoved.writeHead(403).end();
      return;
    }
    try {
      const obsah = await readFile(soubor);
      odpoved.writeHead(200, {
        "Content-Type": TYPY[extname(soubor)] || "application/octet-stream",
        "Content-Length": obsah.length,
        "Cache-Control": "no-cache",
      });
      odpoved.end(pozadavek.method === "HEAD" ? undefined : obsah);
    } catch {
      odpoved.writeHead(404, { "Content-Type": "text/plain" }).end("nenalezeno\n");
    }
  });
  return new Promise((hotovo) => server.listen(port, "127.0.0.1", () => hotovo(server)));
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const site = process.argv[2];
  const server = await spustserver(() => site, Number(process.argv[3] || 8000));
  console.log(`Sachy: http://127.0.0.1:${server.address().port}/ (Ctrl+C ukonci server)`);
}
