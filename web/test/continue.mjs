// The page keeps the game in progress: a game against the computer, left after
// a move and a hint, is offered after a reload (続きから on the title) and goes
// on from the same position and record, level and counts; quitting it removes
// it, and the title after the next reload is the plain one again; 2,000
// games kept before are all still there at the end. The page runs in its test
// mode (?test) and must log no error on the way.
//
//   node continue.mjs SITE_DIR OUT_DIR
//
// OUT_DIR receives screenshots of the page before the reload, of the title
// after it and of the game continued.
import { mkdirSync } from "node:fs";
import { join, resolve } from "node:path";
import { HEIGHT, WIDTH, launchBrowser, makeChecks, serveSite } from "./site.mjs";

const [siteDir, outDir] = process.argv.slice(2).map((path) => resolve(path));
// The browser's stored folder is the game's user folder (web_main.cpp, web_storage.hpp).
const KEPT_FILE = "/persist/kerna-reversi/game-in-progress.txt";
const EARLIER_GAMES = 2000;

const server = await serveSite(siteDir);
const url = `${server.url}?test`;

// The squares black may play on a board= line (64 squares from a1, row by row).
function blackMoves(board) {
  const at = (x, y) => (x < 0 || x > 7 || y < 0 || y > 7 ? "#" : board[8 * y + x]);
  const squares = [];
  for (let y = 0; y < 8; ++y) {
    for (let x = 0; x < 8; ++x) {
      if (at(x, y) !== "-") continue;
      const flips = [[-1, -1], [0, -1], [1, -1], [-1, 0], [1, 0], [-1, 1], [0, 1], [1, 1]].some(([dx, dy]) => {
        let cx = x + dx, cy = y + dy, run = 0;
        while (at(cx, cy) === "O") cx += dx, cy += dy, ++run;
        return run > 0 && at(cx, cy) === "*";
      });
      if (flips) squares.push({ x, y, name: "abcdefgh"[x] + (y + 1) });
    }
  }
  return squares;
}
const field = (text, key) => (new RegExp(`^${key}=(.*)$`, "m").exec(text) || [])[1];

const { browser, close: closeBrowser } = await launchBrowser();
const { failures, check, watch, finish } = makeChecks();
try {
  mkdirSync(outDir, { recursive: true });
  const page = await browser.newPage();
  await page.setViewport({ width: 1000, height: 720 });
  watch(page);

  const started = () => page.waitForFunction(() => !document.getElementById("screen").hidden, { timeout: 30000 });
  const settle = async (milliseconds) => {
    const until = (await page.evaluate(() => Module.kernaPage.clock)) + milliseconds;
    await page.waitForFunction((time) => Module.kernaPage.clock >= time, { timeout: 60000 }, until);
  };
  const inputTaken = async () => {
    await page.waitForFunction(() => Module.kernaPage.inputsWaiting() === 0, { timeout: 60000 });
    await settle(40);
  };
  // The mouse is brought to the pixel of the game's picture first, as a hand
  // does (the box follows it to a square before the click plays there).
  const clickAt = async (x, y) => {
    const box = await page.$eval("#screen", (canvas) => {
      const r = canvas.getBoundingClientRect();
      return { x: r.x, y: r.y, width: r.width, height: r.height };
    });
    const at = [box.x + (x + 0.5) * box.width / WIDTH, box.y + (y + 0.5) * box.height / HEIGHT];
    await page.mouse.move(...at);
    await inputTaken();
    await page.mouse.click(...at);
    await inputTaken();
  };
  const picture = () => page.$eval("#screen", (canvas) =>
    Array.from(canvas.getContext("2d").getImageData(0, 0, 640, 440).data).join(","));
  // The disc on each square as the picture shows it: its centre pixel dark, light or neither.
  const discsShown = () => page.$eval("#screen", (canvas) => {
    const context = canvas.getContext("2d");
    let discs = "";
    for (let y = 0; y < 8; ++y) {
      for (let x = 0; x < 8; ++x) {
        const [r, g, b] = context.getImageData(22 + 48 * x + 24, 22 + 48 * y + 24, 1, 1).data;
        discs += Math.max(r, g, b) < 90 ? "*" : Math.min(r, g, b) > 190 ? "O" : "-";
      }
    }
    return discs;
  });
  const keptText = () => page.evaluate((path) =>
    Module.FS.analyzePath(path).exists ? Module.FS.readFile(path, { encoding: "utf8" }) : null, KEPT_FILE);
  const reload = async () => {
    await page.waitForFunction(() => Module.kernaPage.storageIdle(), { timeout: 10000 });
    await page.reload();
    await started();
    await settle(1500);
  };

  await page.goto(url);
  await started();
  await settle(1500);
  const plainTitle = await picture();
  // Many games kept before: each is still there, as it was, at the end.
  const earlier = await page.evaluate((count) => {
    const folder = Module.kernaPage.recordsFolder;
    Module.FS.mkdirTree(folder);
    const games = {};
    for (let n = 1; n <= count; ++n) {
      games[`2020-01-01T00-00-00-${n}.ggf`] = `(;GM[Othello]PB[human]PW[human]RE[${n % 65 - 32}]BO[8 ${
        "-".repeat(27)}O*------*O${"-".repeat(27)} *]B[F5];)\n`;
    }
    for (const [name, text] of Object.entries(games)) Module.FS.writeFile(`${folder}/${name}`, text);
    return games;
  }, EARLIER_GAMES);
  await clickAt(500, 135);  // コンピュータと対戦
  await settle(1000);
  for (const [x, y] of [[530, 115], [530, 223], [530, 400]]) await clickAt(x, y);  // 先手, レベル1, スタート
  await settle(3000);
  await clickAt(286, 238);  // f5; the computer replies
  await settle(4000);
  await clickAt(580, 290);  // ヒント
  await settle(3000);
  const kept = await keptText();
  const discs = await discsShown();
  await page.screenshot({ path: join(outDir, "1-before-reload.png") });
  check(kept !== null && field(kept, "moves")?.length === 4 && field(kept, "hint") === "1" &&
        field(kept, "level") === "1" && field(kept, "turn") === "black",
        "the game in progress is kept after a move and a hint", JSON.stringify(kept));
  check(field(kept ?? "", "board") === discs, "the kept board is the one on the page", discs);

  await reload();
  await page.screenshot({ path: join(outDir, "2-title.png") });
  check(await picture() !== plainTitle, "after the reload the title offers 続きから");
  await clickAt(500, 295);  // 続きから
  await settle(3000);
  await page.screenshot({ path: join(outDir, "3-continued.png") });
  const text = await page.evaluate(() => Module.kernaPage.text);
  check(text.includes("続きを打ちましょう") && text.includes("レベル 1"), "she welcomes the player back at level 1",
        JSON.stringify(text.slice(0, 300)));
  check(await discsShown() === discs, "the same position is on the board", await discsShown());
  // The game writes what it holds as each turn starts: the same text, so the
  // same record, counts and turn were put back.
  check(await keptText() === kept, "the continued game holds the same record and counts", await keptText());

  const square = blackMoves(field(kept, "board"))[0];
  await clickAt(22 + 48 * square.x + 24, 22 + 48 * square.y + 24);
  await settle(4000);
  const after = await keptText();
  check(field(after ?? "", "moves")?.startsWith(field(kept, "moves") + square.name) &&
        field(after, "moves").length === 8 && field(after, "hint") === "1",
        `play goes on: ${square.name} and the computer's reply join the record`, JSON.stringify(after));

  await clickAt(585, 395);  // 終了
  await settle(3000);
  check(await keptText() === null, "quitting removes the kept game");
  await clickAt(300, 200);  // back to the menu
  await settle(1500);
  await reload();
  check(await picture() === plainTitle, "the next title offers nothing to continue");
  const games = await page.evaluate(() => {
    const folder = Module.kernaPage.recordsFolder;
    return Object.fromEntries(Module.FS.readdir(folder).filter((name) => name.endsWith(".ggf"))
      .map((name) => [name, Module.FS.readFile(`${folder}/${name}`, { encoding: "utf8" })]));
  });
  const lost = Object.keys(earlier).filter((name) => games[name] !== earlier[name]);
  check(lost.length === 0 && Object.keys(games).length === EARLIER_GAMES + 1,
        `${EARLIER_GAMES} games kept before are there after the reloads, and the quit game beside them`,
        `${Object.keys(games).length} files, ${lost.length} of the earlier ones missing or changed`);
} catch (error) {
  failures.push(String(error));
} finally {
  await closeBrowser();
  server.close();
}
finish();
