// From opening the page to the title picture on its canvas, in headless
// Chromium, in milliseconds since the page was asked for: the median of
// several loads, each in a fresh browser tab with nothing cached.
//
// Usage: node page_timing.mjs SITE_FOLDER LOADS
import { readFileSync } from "node:fs";
import { createServer } from "node:http";
import { join } from "node:path";
import { createRequire } from "node:module";

const [site, loads = "5"] = process.argv.slice(2);
// puppeteer-core is installed for the page's tests (tests/web).
const require = createRequire(new URL("../../tests/web/package.json", import.meta.url));
const puppeteer = require("puppeteer-core");

// Some pixels of the title picture, in its own colours: the 8-bit file read
// here, its rows stored bottom up, four-byte aligned.
function titleSamples() {
  const file = readFileSync(join(site, "start.bmp"));
  const offset = file.readUInt32LE(10), width = file.readInt32LE(18), height = file.readInt32LE(22);
  const palette = 14 + file.readUInt32LE(14), stride = Math.ceil(width / 4) * 4;
  const samples = [];
  for (let y = 7; y < height; y += 53)
    for (let x = 11; x < width; x += 61) {
      const index = file[offset + (height - 1 - y) * stride + x];
      samples.push([x, y, file[palette + 4 * index + 2], file[palette + 4 * index + 1], file[palette + 4 * index]]);
    }
  return samples;
}

const server = createServer((request, response) => {
  try {
    const name = new URL(request.url, "http://page").pathname.slice(1) || "index.html";
    const body = readFileSync(join(site, name));
    const type = { html: "text/html", js: "text/javascript", wasm: "application/wasm" }[name.split(".").pop()];
    response.writeHead(200, { "Content-Type": type ?? "application/octet-stream" });
    response.end(body);
  } catch {
    response.writeHead(404);
    response.end();
  }
});
await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
const browser = await puppeteer.launch({
  executablePath: "/usr/bin/chromium",
  headless: true,
  args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking", "--disable-component-update",
         "--disable-sync", "--no-first-run"],
});
const samples = titleSamples();
const times = [];
for (let i = 0; i < Number(loads); ++i) {
  const page = await browser.newPage();
  await page.setCacheEnabled(false);
  // Watches the canvas from the page's first moment, every 5 ms.
  await page.evaluateOnNewDocument((samples) => {
    const timer = setInterval(() => {
      const canvas = document.getElementById("screen");
      if (!canvas || canvas.width !== 640) return;
      const pixels = canvas.getContext("2d", { willReadFrequently: true }).getImageData(0, 0, 640, 480).data;
      if (samples.every(([x, y, r, g, b]) => {
        const at = (y * 640 + x) * 4;
        return pixels[at] === r && pixels[at + 1] === g && pixels[at + 2] === b;
      })) {
        window.titleShownAt = performance.now();
        clearInterval(timer);
      }
    }, 5);
  }, samples);
  await page.goto(`http://127.0.0.1:${server.address().port}/index.html`);
  await page.waitForFunction(() => window.titleShownAt !== undefined, { timeout: 30000 });
  times.push(await page.evaluate(() => window.titleShownAt));
  await page.close();
}
await browser.close();
server.close();
times.sort((a, b) => a - b);
console.log(`${Math.round(times[Math.floor(times.length / 2)])} ${times.map(Math.round).join(" ")}`);
