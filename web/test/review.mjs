// The review in the browser: a GGF file opened from the device joins the kept
// games, 振り返り opens it, and the analysis values it in slices while the
// page answers; the values must be the desktop's for the same game, move for
// move (`kerna-reversi --review FILE --text`, run here first). Also times
// both, for a 60-move game, and leaves a review in the middle of its analysis.
//
//   node review.mjs SITE_DIR GAME.ggf DESKTOP_PROGRAM OUT_DIR
//
// OUT_DIR receives the desktop's lines and screenshots of the review.
import { execFileSync } from "node:child_process";
import { mkdirSync, readdirSync, readFileSync, writeFileSync } from "node:fs";
import { join, resolve } from "node:path";
import { HEIGHT, WIDTH, launchBrowser, makeChecks, serveSite } from "./site.mjs";

const [siteDir, gameFile, desktopProgram, outDir] = process.argv.slice(2).map((path) => resolve(path));
const REVIEW_BUTTON = [534, 257];  // the menu's 振り返り
const FORWARD_BUTTON = [510, 401];  // the review's one move forward
mkdirSync(outDir, { recursive: true });

// --- The desktop's review of the game, timed: wall clock and processor time
// (a busy machine stretches the first, not the second). ---
// The fields of /proc/PID/stat after the name (Linux): [1] the parent, [11]
// and [12] the processor time used, [13] and [14] that of waited-for children,
// in ticks of 1/100 s.
const statFields = (pid) => readFileSync(`/proc/${pid}/stat`, "utf8").replace(/^.*\) /, "").split(" ");
const childrenCpuSeconds = () => {
  const fields = statFields("self");
  return (Number(fields[13]) + Number(fields[14])) / 100;
};
// The processor seconds of a process and all its descendants (the browser's).
const treeCpuSeconds = (root) => {
  const stats = new Map();
  for (const pid of readdirSync("/proc").filter((name) => /^\d+$/.test(name))) {
    try {
      stats.set(Number(pid), statFields(pid));
    } catch { /* ended meanwhile */ }
  }
  const inTree = (pid) => pid === root || (pid > 1 && stats.has(pid) && inTree(Number(stats.get(pid)[1])));
  let ticks = 0;
  for (const [pid, fields] of stats) if (inTree(pid)) ticks += Number(fields[11]) + Number(fields[12]);
  return ticks / 100;
};
const desktopStart = Date.now();
const desktopCpuBefore = childrenCpuSeconds();
const desktopLines = execFileSync(desktopProgram, ["--review", gameFile, "--text"], { encoding: "utf8" })
  .trim().split("\n");
const desktopMs = Date.now() - desktopStart;
const desktopCpu = childrenCpuSeconds() - desktopCpuBefore;
writeFileSync(join(outDir, "desktop.txt"), `${desktopLines.join("\n")}\n`);

const server = await serveSite(siteDir);
const { browser, close: closeBrowser } = await launchBrowser();
const { failures, check, watch, finish } = makeChecks();
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 1000, height: 720 });
  watch(page);

  const text = () => page.evaluate(() => Module.kernaPage.text);
  const row = async (n) => (await text()).split("\n")[n] || "";
  const valued = () => page.evaluate(() => Module.kernaPage.reviewLines.length);
  const waitFor = (test, arg, timeout = 60000) => page.waitForFunction(test, { timeout, polling: 20 }, arg);
  const textShows = (words, timeout) => waitFor((w) => Module.kernaPage.text.includes(w), words, timeout);
  const settle = async (milliseconds) => {
    const until = (await page.evaluate(() => Module.kernaPage.clock)) + milliseconds;
    await waitFor((time) => Module.kernaPage.clock >= time, until);
  };
  const inputTaken = async () => {
    await waitFor(() => Module.kernaPage.inputsWaiting() === 0);
    await settle(40);
  };
  const clickAt = async ([x, y]) => {
    const box = await page.$eval("#screen", (canvas) => canvas.getBoundingClientRect().toJSON());
    await page.mouse.click(box.x + (x + 0.5) * box.width / WIDTH, box.y + (y + 0.5) * box.height / HEIGHT);
    await inputTaken();
  };
  const key = async (name) => {
    await page.keyboard.press(name);
    await inputTaken();
  };
  const shot = (name) => page.screenshot({ path: join(outDir, `${name}.png`) });

  await page.goto(`${server.url}?test`);
  await page.waitForFunction(() => !document.getElementById("screen").hidden, { timeout: 30000 });
  await settle(1500);

  // The file from the device, through the picker under the picture and
  // dropped on the page: two kept games.
  const kept = () => waitFor(() => document.getElementById("notice").textContent.includes("取り込みました"),
                              null, 10000);
  const picker = await page.$("#links input[type=file]");
  await picker.uploadFile(gameFile);
  await kept();
  await page.evaluate((text) => {
    document.getElementById("notice").textContent = "";
    const files = new DataTransfer();
    files.items.add(new File([text], "dropped.ggf"));
    document.body.dispatchEvent(new DragEvent("drop", { dataTransfer: files, bubbles: true, cancelable: true }));
  }, readFileSync(gameFile, "utf8"));
  await kept();
  await clickAt(REVIEW_BUTTON);
  await textShows("保存した対局  1 / 2", 10000);
  check(true, "files picked and dropped are the kept games 振り返り shows", "");

  // Leaving in the middle of the analysis: back on the kept games at once.
  await key("Enter");
  await waitFor(() => Module.kernaPage.reviewLines.length >= 1);
  await key("Escape");
  let back = true;
  await textShows("保存した対局", 10000).catch(() => { back = false; });
  check(back && (await valued()) < desktopLines.length, "leaving during the analysis returns to the kept games",
        `${await valued()} moves valued, the screen: ${await row(5)}`);

  // The whole review, answering keys and clicks while the bar fills. The key
  // goes in as soon as the first value shows, the click as soon as the key is
  // answered, and the status row is read in the page at the moment each answer shows (a busy
  // machine slows this side's round trips, not the page's answer).
  const started = Date.now();
  const browserCpuBefore = treeCpuSeconds(browser.process().pid);
  await key("Enter");
  await waitFor(() => Module.kernaPage.reviewLines.length >= 1);
  const statusWhenShown = async (words) =>
    (await waitFor((w) => Module.kernaPage.text.includes(w) && Module.kernaPage.text.split("\n")[0], words, 5000))
      .jsonValue();
  const box = await page.$eval("#screen", (canvas) => canvas.getBoundingClientRect().toJSON());
  const pressed = Date.now();
  await page.keyboard.press("ArrowRight");
  const afterKey = await statusWhenShown("2手目");
  const answerMs = Date.now() - pressed;
  await page.mouse.click(box.x + (FORWARD_BUTTON[0] + 0.5) * box.width / WIDTH,
                         box.y + (FORWARD_BUTTON[1] + 0.5) * box.height / HEIGHT);
  const afterClick = await statusWhenShown("3手目");
  await shot("01-analysing");
  check(afterKey.includes("分析中") && afterClick.includes("分析中"), "a key and a click are answered during the analysis",
        `the status row after them: "${afterKey}", "${afterClick}"`);
  console.log(`a key during the analysis was answered on the screen after ${answerMs} ms`);

  await waitFor((total) => Module.kernaPage.reviewLines.length >= total, desktopLines.length, 900000);
  const browserMs = Date.now() - started;
  const browserCpu = treeCpuSeconds(browser.process().pid) - browserCpuBefore;
  await textShows("分析済み", 10000);
  const browserLines = await page.evaluate(() => Module.kernaPage.reviewLines);
  writeFileSync(join(outDir, "browser.txt"), `${browserLines.join("\n")}\n`);
  const firstDifferent = desktopLines.findIndex((line, n) => browserLines[n] !== line);
  check(firstDifferent < 0 && browserLines.length === desktopLines.length, "the values are the desktop's",
        `move ${firstDifferent + 1}: desktop "${desktopLines[firstDifferent]}", browser "${browserLines[firstDifferent]}"`);
  await shot("02-valued");
  await key("n");
  await shot("03-next-mistake");
  await key("End");
  await shot("04-end");
  console.log(`analysis of ${desktopLines.length} moves: browser ${(browserMs / 1000).toFixed(1)} s ` +
              `(${browserCpu.toFixed(1)} s of processor; one thread, in slices), desktop ` +
              `${(desktopMs / 1000).toFixed(1)} s (${desktopCpu.toFixed(1)} s of processor; two searches side by side)`);
} catch (error) {
  failures.push(String(error));
} finally {
  await closeBrowser();
  server.close();
}
finish();
