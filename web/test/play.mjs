// The page test: plays scenario.txt on the browser build in headless Chromium
// and compares the canvas at each "frame" step, pixel for pixel, with the
// desktop's headless picture of the same step (kerna-web-frames); the page
// must log no error on the way. The page runs in its test mode (?test): a
// virtual clock, as the headless backend has, so both sides take the same
// random numbers and show the same pictures.
//
//   node play.mjs SITE_DIR DESKTOP_FRAMES_DIR OUT_DIR
//
// OUT_DIR receives a screenshot of the page at each frame step.
import { mkdirSync, writeFileSync } from "node:fs";
import { join, resolve } from "node:path";
import { HEIGHT, WIDTH, differences as framesDiffer, launchBrowser, makeChecks, readScenario, serveSite } from "./site.mjs";

const [siteDir, framesDir, outDir] = process.argv.slice(2).map((path) => resolve(path));
const server = await serveSite(siteDir);
const url = `${server.url}?test`;
const { browser, close: closeBrowser } = await launchBrowser();
const { failures, check, watch, finish } = makeChecks();
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 1000, height: 720 });
  watch(page);
  page.on("requestfailed", (request) => failures.push(`request failed: ${request.url()}`));

  const started = async () => {
    await page.waitForFunction(() => !document.getElementById("screen").hidden, { timeout: 30000 });
  };
  const clock = () => page.evaluate(() => Module.kernaPage.clock);
  const settle = async (milliseconds) => {
    const until = (await clock()) + milliseconds;
    await page.waitForFunction((time) => Module.kernaPage.clock >= time, { timeout: 60000 }, until);
  };
  // The game takes queued input at its next sleep; two clicks taken at one
  // sleep would count as one, so each waits until the game has seen the one
  // before it (as the headless script spaces its clicks).
  const inputTaken = async () => {
    await page.waitForFunction(() => Module.kernaPage.inputsWaiting() === 0, { timeout: 60000 });
    await settle(40);
  };
  const canvasBox = () => page.$eval("#screen", (canvas) => {
    const box = canvas.getBoundingClientRect();
    return { x: box.x, y: box.y, width: box.width, height: box.height };
  });

  // A click on a pixel of the game's picture, wherever the canvas is and whatever its scale.
  const clickAt = async (x, y, button = "left") => {
    const box = await canvasBox();
    await page.mouse.click(box.x + (x + 0.5) * box.width / WIDTH, box.y + (y + 0.5) * box.height / HEIGHT,
                           { button });
    await inputTaken();
  };
  // A touch on a pixel of the game's picture, held for `holdMs`.
  const touchAt = async (x, y, holdMs) => {
    const box = await canvasBox();
    const point = { x: box.x + (x + 0.5) * box.width / WIDTH, y: box.y + (y + 0.5) * box.height / HEIGHT };
    const session = await page.createCDPSession();
    await session.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: [point] });
    await new Promise((done) => setTimeout(done, holdMs));
    await session.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
    await session.detach();
    await inputTaken();
  };
  const shownPicture = async () => Buffer.from(await page.$eval("#screen", (canvas) =>
    Array.from(canvas.getContext("2d").getImageData(0, 0, 640, 440).data)));
  // How many pixels of the canvas's RGBA picture differ from the desktop's frame.
  const differences = (shown, name) => framesDiffer(shown, join(framesDir, `${name}.ppm`));

  // How long a first visit takes to show the title screen (as the desktop draws it).
  const loadStart = Date.now();
  await page.goto(url);
  await started();
  while (differences(await shownPicture(), "01-title").count !== 0 && Date.now() - loadStart < 30000) {
    await new Promise((done) => setTimeout(done, 20));
  }
  console.log(`title screen after ${Date.now() - loadStart} ms`);
  mkdirSync(outDir, { recursive: true });

  for (const [verb, ...words] of readScenario()) {
    if (verb === "click") {
      await clickAt(Number(words[0]), Number(words[1]), words[2] === "right" ? "right" : "left");
    } else if (verb === "tap") {
      await touchAt(Number(words[0]), Number(words[1]), 50);
    } else if (verb === "key") {
      await page.keyboard.press(words[0]);
      await inputTaken();
    } else if (verb === "settle") {
      await settle(Number(words[0]));
    } else if (verb === "frame") {
      const name = words[0];
      const { count: differing, first } = differences(await shownPicture(), name);
      await page.screenshot({ path: join(outDir, `${name}.png`) });
      check(differing === 0, name, `${differing} pixels differ from the desktop's, the first at ${first}`);
      if (differing !== 0) {
        writeFileSync(join(outDir, `${name}.text.txt`), await page.evaluate(() => Module.kernaPage.text));
      }
    } else if (verb === "reload") {
      // What was written must have reached the browser's storage first.
      await page.waitForFunction(() => Module.kernaPage.storageIdle(), { timeout: 10000 });
      await page.reload();
      await started();
    } else {
      throw new Error(`unknown step ${verb}`);
    }
  }

  // A touch held half a second is a right click (the page's input as the game takes it).
  await page.evaluate(() => {
    const next = Module.kernaPage.nextInput;
    window.takenInput = [];
    Module.kernaPage.nextInput = () => {
      const event = next();
      if (event) window.takenInput.push(`${event.kind}:${event.numbers[4]}`);
      return event;
    };
  });
  await touchAt(100, 100, 700);
  const taken = await page.evaluate(() => window.takenInput.join(" "));
  // Moved there, right button down, up.
  check(taken === "1:0 2:2 3:2", "a long touch is a right click", `the game was given ${taken}`);

  // The game quit in the scenario was kept, and is there after the reload.
  const records = await page.evaluate(() => Module.kernaPage.recordsText());
  check(/\(;GM\[Othello\][^]*\bF5\b/i.test(records), "the quit game's record is kept across the reload",
        `records after the reload: ${JSON.stringify(records.slice(0, 200))}`);

  // Storage refusing every write (a full quota): the game plays on with a new
  // board colour, the page says it was not kept, and the next visit has the
  // colour stored before.
  await page.evaluateOnNewDocument(() => {
    if (!location.search.includes("storage-full")) return;
    IDBObjectStore.prototype.put = () => { throw new DOMException("full", "QuotaExceededError"); };
  });
  await page.goto(`${url}&storage-full`);
  await started();
  await settle(1500);
  for (const [x, y] of [[500, 215], [589, 347], [530, 390]]) {  // 設定, the fifth colour, OK
    await clickAt(x, y);
    await settle(1500);
  }
  await page.waitForFunction(() => !document.getElementById("notice").hidden && Module.kernaPage.storageIdle(),
                             { timeout: 10000 });
  const changed = await shownPicture();
  await page.goto(url);
  await started();
  await settle(1500);
  const kept = "11-colour-kept";
  if (differences(changed, kept).count === 0) failures.push("storage full: the new colour was not drawn");
  const after = differences(await shownPicture(), kept);
  check(after.count === 0, "storage full: the colour stored before is kept",
        `${after.count} pixels differ from ${kept}, the first at ${after.first}`);
} catch (error) {
  failures.push(String(error));
} finally {
  await closeBrowser();
  server.close();
}
finish();
