// The game's page played in headless Chromium as a player plays it: the
// title, a piece steered, keys held and tapped, the pause, the end screen and
// the end of the run; then a run with a data file the server does not have.
//
// Usage: node play_in_browser.mjs SITE_FOLDER SCREEN_PROBE WORK_FOLDER
// The screen probe (tests/e2e/screen_probe.cpp, built for this machine) checks
// each screenshot against the picture files, which it reads from the site.
import { execFileSync } from "node:child_process";
import { readFileSync, writeFileSync, mkdirSync } from "node:fs";
import { createServer } from "node:http";
import { join } from "node:path";
import puppeteer from "puppeteer-core";

const [site, probe, work] = process.argv.slice(2);
mkdirSync(work, { recursive: true });
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
function fail(why) {
  console.error(`FAILED: ${why} (screenshots and logs in ${work})`);
  process.exit(1);
}

// The site as a static server gives it, less the files named missing.
function serve(missing) {
  const types = { ".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm" };
  const server = createServer((request, response) => {
    const name = new URL(request.url, "http://page").pathname.slice(1) || "index.html";
    try {
      if (missing.includes(name) || name.includes("..")) throw new Error("left out");
      const body = readFileSync(join(site, name));
      response.writeHead(200, { "Content-Type": types[name.slice(name.lastIndexOf("."))] ?? "application/octet-stream" });
      response.end(body);
    } catch {
      response.writeHead(404);
      response.end();
    }
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve(server)));
}

const browser = await puppeteer.launch({
  executablePath: "/usr/bin/chromium",
  headless: true,
  args: ["--no-sandbox", "--disable-gpu", "--disable-background-networking", "--disable-component-update",
         "--disable-sync", "--no-first-run", "--disable-background-timer-throttling",
         "--autoplay-policy=no-user-gesture-required"],
});

async function openPage(missing = []) {
  const server = await serve(missing);
  const page = await browser.newPage();
  // Twice the game's size: the page shows it at exactly two screen pixels a
  // game pixel, as the probe expects of a screen that size.
  await page.setViewport({ width: 1280, height: 960 });
  const console_ = [];
  page.on("console", (message) => console_.push(message.text()));
  await page.goto(`http://127.0.0.1:${server.address().port}/index.html?record`);
  return { page, console: console_, server };
}

// A screenshot the probe finds as it must be ("title", "play" or "end");
// tried for a while, since the page takes its time to get there.
async function waitForScreen(page, check, seconds = 20) {
  const png = join(work, `${check}.png`);
  const ppm = join(work, `${check}.ppm`);
  for (const end = Date.now() + seconds * 1000; Date.now() < end; await sleep(200)) {
    await page.screenshot({ path: png });
    execFileSync("convert", [png, ppm]);
    try {
      return execFileSync(probe, [check, ppm], { cwd: site, encoding: "utf8" });
    } catch {}
  }
  fail(`the page never showed the ${check} screen`);
}

// Watches the well in the page itself, every few milliseconds: which cells
// differ from the empty well's colour, as a log of changes with their times.
async function watchWell(page) {
  await page.evaluate(() => {
    const context = document.getElementById("screen").getContext("2d", { willReadFrequently: true });
    const log = (window.wellLog = []);
    let last = "";
    window.wellWatch = setInterval(() => {
      const pixels = context.getImageData(190, 1, 200, 460).data;
      const colours = [];
      for (let row = 0; row < 23; ++row)
        for (let column = 0; column < 10; ++column) {
          const at = ((row * 20 + 10) * 200 + column * 20 + 10) * 4;
          colours.push(`${pixels[at]},${pixels[at + 1]},${pixels[at + 2]}`);
        }
      const counts = {};
      colours.forEach((colour) => (counts[colour] = (counts[colour] ?? 0) + 1));
      const empty = Object.keys(counts).reduce((a, b) => (counts[a] >= counts[b] ? a : b));
      const cells = colours.flatMap((colour, i) => (colour === empty ? [] : [[i % 10, Math.floor(i / 10)]]));
      const column = Math.min(...cells.map((c) => c[0]));
      const row = Math.min(...cells.map((c) => c[1]));
      const shape = cells.map(([c, r]) => `${c - column},${r - row}`).sort().join(" ");
      const state = `${column} ${row} ${shape}`;
      if (state !== last) log.push({ time: performance.now(), column, row, shape });
      last = state;
    }, 4);
  });
}
const wellLog = (page) => page.evaluate(() => window.wellLog.splice(0));
const gaps = (times) => times.slice(1).map((time, i) => time - times[i]);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)] ?? NaN;

async function hold(page, key, ms) {
  await page.keyboard.down(key);
  await sleep(ms);
  await page.keyboard.up(key);
  await sleep(150);
  return wellLog(page);
}
async function tap(page, key) {
  await page.keyboard.press(key);
  await sleep(300);
  return wellLog(page);
}
const lastColumn = (log, before) => (log.length ? log[log.length - 1].column : before);

// --- A whole run --------------------------------------------------------------
const run = await openPage();
const { page } = run;
await waitForScreen(page, "title");
await sleep(2500);  // the title music plays a while
const titleSound = await page.evaluate(() => window.stackwell.sound.recorded.flatMap((chunk) => [...chunk]));

await page.keyboard.press("Enter");
const piece = (await waitForScreen(page, "play")).match(/^piece (-?\d+) (-?\d+)$/m);
if (!piece || piece[1] !== "4") fail(`the first piece came in at column ${piece?.[1]}, not 4`);
await watchWell(page);
await sleep(100);
await wellLog(page);

let column = 4;
for (const [key, step] of [["ArrowRight", 1], ["ArrowLeft", -1]]) {
  const after = lastColumn(await tap(page, key), column);
  if (after !== column + step) fail(`one tap of ${key} took the piece from column ${column} to ${after}`);
  column = after;
}

// Sideways on every second pass of 40 ms while the key is held.
const moves = (await hold(page, "ArrowLeft", 450)).filter((entry, i, log) => entry.column < (log[i - 1]?.column ?? column));
const moveGap = median(gaps(moves.map((entry) => entry.time)));
if (moves.length < 3 || !(moveGap >= 60 && moveGap <= 110))
  fail(`Left held moved the piece ${moves.length} times, ${moveGap} ms apart (80 expected)`);

// A turn at most every 100 ms while Space is held (a square looks the same
// turned, so a square is let fall first).
let turns = [];
for (let tries = 0; tries < 6 && turns.length < 3; ++tries) {
  const log = await hold(page, " ", 700);
  // A turn: the piece, whole in the well, takes another shape (a fall keeps
  // it; a piece still coming in at the top shows only part of it).
  const whole = (entry) => entry.shape.split(" ").length === 4;
  turns = log.filter((entry, i) => i > 0 && whole(entry) && whole(log[i - 1]) &&
                                   entry.shape !== log[i - 1].shape);
  if (turns.length < 3) await hold(page, "ArrowDown", 1500);
}
const fastestTurn = Math.min(...gaps(turns.map((entry) => entry.time)));
if (turns.length < 3 || fastestTurn < 90) fail(`Space held turned ${turns.length} times, ${fastestTurn} ms apart at the least`);

// The pause holds the piece still until Return again.
await tap(page, "Enter");
await sleep(1200);
if ((await wellLog(page)).length > 0) fail("the piece moved during the pause");
await tap(page, "Enter");
await sleep(1200);
if ((await wellLog(page)).length === 0) fail("the piece did not fall again after the pause");

await page.keyboard.press("Escape");
await waitForScreen(page, "end");
await page.keyboard.press("Enter");
for (let i = 0; i < 50 && !run.console.includes("stackwell: exit status 0"); ++i) await sleep(100);
if (!run.console.includes("stackwell: exit status 0")) fail(`the run did not end with status 0: ${run.console.join(" | ")}`);
await page.screenshot({ path: join(work, "over.png") });
run.server.close();

// The title music as the page recorded it from the mixer: the same rough
// pitch as the music's own file.
function soxFrequency(file) {
  const raw = file.endsWith(".raw") ? ["-t", "raw", "-r", "22050", "-e", "unsigned-integer", "-b", "8", "-c", "1"] : [];
  const report = execFileSync("sh", ["-c", `sox ${[...raw, file].join(" ")} -n stat 2>&1`], { encoding: "utf8" });
  return Number(report.match(/Rough\s+frequency:\s+(\d+)/)[1]);
}
writeFileSync(join(work, "title-sound.raw"), Uint8Array.from(titleSound));
if (titleSound.length < 22050) fail(`only ${titleSound.length} samples of title music were recorded`);
const heard = soxFrequency(join(work, "title-sound.raw"));
const written = soxFrequency(join(site, "superhappy.wav"));
if (Math.abs(heard - written) > written * 0.15) fail(`the title music was heard at ${heard} Hz, written at ${written} Hz`);

// --- A site without the play music still plays -------------------------------
const bare = await openPage(["techno.wav"]);
await waitForScreen(bare.page, "title");
await bare.page.keyboard.press("Enter");
await waitForScreen(bare.page, "play");
if (!bare.console.some((line) => line.includes("cannot read techno.wav")))
  fail("the page did not say that techno.wav was missing");
bare.server.close();

await browser.close();
console.log(`played in the browser: title, piece at column 4, taps, ${moves.length} moves ${moveGap} ms apart, ` +
            `${turns.length} turns at least ${fastestTurn} ms apart, pause, end screen, exit status 0; ` +
            `title music at ${heard} Hz (file ${written} Hz); a missing file plays on`);
