// Times the page with many kept games in the browser's storage against none,
// in headless Chromium: the page's start to the title, the saved games screen
// from the click on 振り返り to the first game shown and one step to the next
// older one, and a finished game saved, from the last move's click until its
// copy to IndexedDB is done (page.storageIdle). Real milliseconds, medians of
// 3 rounds of RUNS runs each, none and many in turn; the page runs in its test
// mode (a virtual clock: the game's pauses cost nothing, its work and the
// storage's do).
//
//   node storage-bench.mjs SITE_DIR KEPT_DIR [RUNS]
//
// KEPT_DIR holds records.txt and records/*.ggf (kerna-bench --write-kept-games);
// they are put into the page's stored folder through the page's own files, as
// the game would have written them, and copied to IndexedDB before the runs.
import { readdirSync, readFileSync } from "node:fs";
import { join, resolve } from "node:path";
import { HEIGHT, WIDTH, launchBrowser, serveSite } from "./site.mjs";

const [siteDir, keptDir] = process.argv.slice(2, 4).map((path) => resolve(path));
const runs = Number(process.argv[4] || 3);
const REVIEW_BUTTON = [534, 257];  // the menu's 振り返り
const CONTINUE_BUTTON = [500, 295];  // the menu's 続きから
// A game of two players one move from its end: after d3 c3 b3 d2 e1 d6 d7 e3,
// black's f4 leaves white without a disc and the game is over (the result
// screen keeps it). The board is the one those moves reach, from a1 row by row.
const LAST_MOVE = { x: 5, y: 3 };  // f4
const GAME_IN_PROGRESS = ["kerna-game-in-progress 1", "mode=humans", "level=-", "human=both", "turn=black",
  "pass=0", "undo=0", "hint=0", "start=standard", "moves=d3c3b3d2e1d6d7e3",
  "board=----*------*-----***O------*O------*O------*-------*------------", ""].join("\n");

const median = (values) => values.length ? [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)] : 0;

// The stored folder's files from KEPT_DIR: [path under the folder, text].
function keptFiles() {
  const files = [["records.txt", readFileSync(join(keptDir, "records.txt"), "utf8")]];
  for (const name of readdirSync(join(keptDir, "records")).sort()) {
    files.push([`records/${name}`, readFileSync(join(keptDir, "records", name), "utf8")]);
  }
  return files;
}

async function measure(browser, url, fill) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1000, height: 720 });
  page.on("pageerror", (error) => console.log(`page error: ${error.message}`));
  page.on("console", (message) => {
    if (message.type() === "error") console.log(`console error: ${message.text()}`);
  });
  // A predicate's first true moment, in the page's own time (polled every 5 ms).
  const when = async (test, arg, timeout = 60000) =>
    (await page.waitForFunction(new Function("arg", `return (${test})(arg) && performance.now();`),
                                { timeout, polling: 5 }, arg)).jsonValue();
  const textShows = (words) => when((w) => Module.kernaPage.text.includes(w), words);
  const idle = () => page.waitForFunction(() => Module.kernaPage.storageIdle(), { timeout: 60000, polling: 20 });
  const settle = async (milliseconds) => {
    const until = (await page.evaluate(() => Module.kernaPage.clock)) + milliseconds;
    await page.waitForFunction((time) => Module.kernaPage.clock >= time, { timeout: 60000 }, until);
  };
  // The page's time of the next press of a mouse button or a key.
  const markNextPress = () => page.evaluate(() => {
    window.benchPressed = null;
    const mark = () => { window.benchPressed ??= performance.now(); };
    addEventListener("pointerdown", mark, { capture: true, once: true });
    addEventListener("keydown", mark, { capture: true, once: true });
  });
  const pressedAt = () => page.evaluate(() => window.benchPressed);
  // The mouse is brought to the pixel first, as a hand does (the box follows
  // it to a square before the click plays there).
  const clickAt = async ([x, y]) => {
    const box = await page.$eval("#screen", (canvas) => canvas.getBoundingClientRect().toJSON());
    const at = [box.x + (x + 0.5) * box.width / WIDTH, box.y + (y + 0.5) * box.height / HEIGHT];
    await page.mouse.move(...at);
    await page.waitForFunction(() => Module.kernaPage.inputsWaiting() === 0, { timeout: 60000 });
    await settle(40);
    await page.mouse.click(...at);
  };
  // The title's picture buttons are drawn last: the title waits for a click
  // once the 振り返り button's row of pixels is a settled title's.
  const buttonRow = () => {  // (runs in the page: REVIEW_BUTTON's row, written out)
    const canvas = document.getElementById("screen");
    return Array.from(canvas.getContext("2d").getImageData(504, 257, 60, 1).data).join(",");
  };
  let title = null;
  const open = async () => {
    await page.goto(url, { waitUntil: "domcontentloaded" });
    const shown = title === null
      ? await when(() => !document.getElementById("screen").hidden)
      : await when(new Function("row", `return (${buttonRow})() === row;`), title);
    await settle(500);
    // The first key or click of a visit sets up the page's sound: done here,
    // with a key the game ignores, so the times below are the game's.
    await page.keyboard.press("Shift");
    await settle(100);
    return shown;
  };

  await open();
  await settle(1000);
  title = await page.evaluate(buttonRow);
  if (fill) {
    const files = keptFiles();
    await page.evaluate((entries) => {
      const folder = Module.kernaPage.recordsFolder.replace(/\/[^/]*$/, "");
      Module.FS.mkdirTree(`${folder}/records`);
      for (const [path, text] of entries) Module.FS.writeFile(`${folder}/${path}`, text);
    }, files);
    await idle();
  }
  const figures = { start: [], open: [], step: [], save: [], copied: [] };
  for (let run = 0; run < runs; ++run) {
    figures.start.push(await open());
    await markNextPress();
    await clickAt(REVIEW_BUTTON);
    const first = await textShows(fill ? "保存した対局  1 / " : "保存した対局はありません");
    figures.open.push(first - await pressedAt());
    if (fill) {
      await settle(100);
      await markNextPress();
      await page.keyboard.press("ArrowRight");
      figures.step.push(await textShows("保存した対局  2 / ") - await pressedAt());
    }
  }
  const folder = await page.evaluate(() => Module.kernaPage.recordsFolder);
  const kept = () => page.evaluate((path) => {
    try {
      return Module.FS.readdir(path).length;
    } catch {
      return 0;
    }
  }, folder);
  for (let run = 0; run < runs; ++run) {
    await page.evaluate((text) => {
      Module.FS.writeFile(Module.kernaPage.recordsFolder.replace(/records$/, "game-in-progress.txt"), text);
    }, GAME_IN_PROGRESS);
    await idle();
    await open();
    await clickAt(CONTINUE_BUTTON);
    await settle(2000);
    await idle();
    const before = await kept();
    await page.evaluate(() => {
      window.benchCopied = null;
      const saved = Module.kernaPage.storageSaved;
      Module.kernaPage.storageSaved = () => { window.benchCopied = performance.now(); saved(); };
    });
    // The move, then Enter at each "クリックして下さい" (both sides pass) until
    // the result screen keeps the game; timed from the press that got there.
    const keptOrAsked = async (count) => {
      const until = (await page.evaluate(() => Module.kernaPage.clock)) + 1500;
      return (await page.waitForFunction((count, until) => {
        let files = 0;
        try {
          files = Module.FS.readdir(Module.kernaPage.recordsFolder).length;
        } catch { /* no game kept yet */ }
        if (files > count) return performance.now();
        return Module.kernaPage.clock >= until && -1;
      }, { timeout: 60000, polling: 5 }, count, until)).jsonValue();
    };
    await markNextPress();
    await clickAt([22 + 48 * LAST_MOVE.x + 24, 22 + 48 * LAST_MOVE.y + 24]);
    let written = await keptOrAsked(before);
    for (let press = 0; written < 0 && press < 4; ++press) {
      await markNextPress();
      await page.keyboard.press("Enter");
      written = await keptOrAsked(before);
    }
    if (written < 0) throw new Error("the finished game was not kept");
    await idle();
    const pressed = await pressedAt();
    figures.save.push(written - pressed);
    figures.copied.push(await page.evaluate(() => window.benchCopied) - pressed);
  }
  await page.close();
  return figures;
}

const server = await serveSite(siteDir);
const url = `${server.url}?test`;
const count = keptFiles().length - 1;
// Rounds of both in turn, so that a machine busy with other work for a while
// weighs on both alike.
const ROUNDS = 3;
const results = [{}, {}];
for (let round = 0; round < ROUNDS; ++round) {
  for (const fill of [false, true]) {
    const { browser, close } = await launchBrowser();
    try {
      for (const [name, values] of Object.entries(await measure(browser, url, fill))) {
        (results[Number(fill)][name] ??= []).push(...values);
      }
    } finally {
      await close();
    }
  }
}
server.close();
const lines = readFileSync(join(keptDir, "records.txt"), "utf8").split("\n").length - 1;
console.log(`Browser storage: real ms, median of ${ROUNDS * runs} (none / ${lines} lines in records.txt and ${
  count} files)`);
const row = (what, key) => console.log(`${what.padEnd(44)} ${median(results[0][key]).toFixed(1).padStart(10)} ${
  median(results[1][key]).toFixed(1).padStart(10)}`);
row("page start to the title", "start");
row("saved games screen: open", "open");
row("saved games screen: next older", "step");
row("save a finished game: written", "save");
row("save a finished game: copied to IndexedDB", "copied");
