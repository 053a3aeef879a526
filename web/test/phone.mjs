// The page on a phone, in headless Chromium: on a portrait phone (390 x 844,
// touch, 3 device pixels a CSS pixel), turned to landscape and on a small
// screen (320 x 480), everything shown lies inside the screen, a board square
// has a size a finger can hit, and the scenario's first moves played by taps
// on the board and panel canvases give the desktop's pictures; the page
// installs (a manifest with its icons, kept by the service worker for offline
// starts) and a swipe or a drag over its text neither scrolls nor selects.
//
//   node phone.mjs SITE_DIR DESKTOP_FRAMES_DIR OUT_DIR
//
// OUT_DIR receives a screenshot of a game in progress on each screen.
import { mkdirSync } from "node:fs";
import { join, resolve } from "node:path";
import { WIDTH, differences, launchBrowser, makeChecks, readScenario, serveSite } from "./site.mjs";

const [siteDir, framesDir, outDir] = process.argv.slice(2).map((path) => resolve(path));
const PORTRAIT = { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true };
const LANDSCAPE = { width: 844, height: 390, deviceScaleFactor: 3, isMobile: true, hasTouch: true, isLandscape: true };
const SMALL = { width: 320, height: 480, deviceScaleFactor: 2, isMobile: true, hasTouch: true };
// A board square on a 390-pixel-wide phone: at least this wide to be hit by a
// finger, and at most what a board across the whole width gives.
const SQUARE_MIN = 42, SQUARE_MAX = 48;

const server = await serveSite(siteDir);
const { browser, close: closeBrowser } = await launchBrowser();
const { failures, check, watch, finish } = makeChecks();

try {
  mkdirSync(outDir, { recursive: true });
  const page = await browser.newPage();
  await page.setViewport(PORTRAIT);
  watch(page);
  const clock = () => page.evaluate(() => Module.kernaPage.clock);
  const settle = async (milliseconds) => {
    const until = (await clock()) + milliseconds;
    await page.waitForFunction((time) => Module.kernaPage.clock >= time, { timeout: 60000 }, until);
  };
  // What the screen shows: the boxes (CSS pixels) of the canvases shown, with
  // the picture area each shows, and of the text's parts.
  const shown = () => page.evaluate(() => {
    const boxOf = (element) => {
      const box = element.getBoundingClientRect();
      return { left: box.left, top: box.top, right: box.right, bottom: box.bottom, width: box.width };
    };
    const visible = (element) => element.getClientRects().length > 0;
    const { board, panel, square } = Module.kernaPage.pictureAreas;
    const canvases = [["screen", { left: 0, top: 0, width: 640, height: 440 }], ["board-view", board],
                      ["panel-view", panel]]
      .map(([id, area]) => ({ id, area, box: boxOf(document.getElementById(id)) }))
      .filter(({ id }) => visible(document.getElementById(id)));
    const texts = [...document.querySelectorAll("#aside > *")].filter(visible).map(boxOf);
    return { canvases, texts, square, width: innerWidth, height: innerHeight,
             scrollWidth: document.documentElement.scrollWidth, scrollHeight: document.documentElement.scrollHeight };
  });
  // Everything inside the screen, no text over the picture; returns the
  // board square's width in CSS pixels.
  const checkFits = async (name, expected) => {
    const screen = await shown();
    const problems = [];
    const boxes = [...screen.canvases.map((canvas) => canvas.box), ...screen.texts];
    for (const box of boxes) {
      if (box.left < 0 || box.top < 0 || box.right > screen.width + 0.01 || box.bottom > screen.height + 0.01) {
        problems.push(`${JSON.stringify(box)} leaves the ${screen.width} x ${screen.height} screen`);
      }
    }
    if (screen.scrollWidth > screen.width || screen.scrollHeight > screen.height) {
      problems.push(`the page is ${screen.scrollWidth} x ${screen.scrollHeight}`);
    }
    for (const text of screen.texts) {
      for (const { box } of screen.canvases) {
        if (text.left < box.right && box.left < text.right && text.top < box.bottom && box.top < text.bottom) {
          problems.push(`text ${JSON.stringify(text)} over the picture`);
        }
      }
    }
    const ids = screen.canvases.map((canvas) => canvas.id).join(" ");
    if (ids !== expected) problems.push(`shows ${ids}`);
    const holder = screen.canvases.find(({ area }) => area.width >= screen.square.left + 8 * screen.square.width);
    const square = holder ? screen.square.width * holder.box.width / holder.area.width : 0;
    check(problems.length === 0, `${name}: fits the screen (${ids}, a square ${square.toFixed(1)} px)`,
          problems.join("; "));
    return square;
  };

  // A tap on a picture pixel, on whichever canvas shows it.
  const tapAt = async (x, y) => {
    const point = await page.evaluate((x, y) => {
      for (const canvas of document.querySelectorAll("canvas")) {
        if (canvas.getClientRects().length === 0) continue;
        const area = { screen: { left: 0, top: 0, width: 640, height: 440 },
                       "board-view": Module.kernaPage.pictureAreas.board,
                       "panel-view": Module.kernaPage.pictureAreas.panel }[canvas.id];
        if (x < area.left || x >= area.left + area.width || y < area.top || y >= area.top + area.height) continue;
        const box = canvas.getBoundingClientRect();
        return { x: box.left + (x + 0.5 - area.left) * box.width / area.width,
                 y: box.top + (y + 0.5 - area.top) * box.height / area.height };
      }
      return null;
    }, x, y);
    if (!point) throw new Error(`no canvas shows (${x}, ${y})`);
    const session = await page.createCDPSession();
    await session.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: [point] });
    await new Promise((done) => setTimeout(done, 50));
    await session.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
    await session.detach();
    await page.waitForFunction(() => Module.kernaPage.inputsWaiting() === 0, { timeout: 60000 });
    await settle(40);
  };
  const pixelsOf = (id) => page.$eval(`#${id}`, (canvas) =>
    Array.from(canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data));
  // The parts' canvases show exactly the picture's board and panel areas.
  const checkPartsShowPicture = async (name) => {
    const whole = await pixelsOf("screen");
    const areas = await page.evaluate(() => Module.kernaPage.pictureAreas);
    const wrong = [];
    for (const [id, area] of [["board-view", areas.board], ["panel-view", areas.panel]]) {
      const part = await pixelsOf(id);
      let differing = 0;
      for (let y = 0; y < area.height; ++y) {
        for (let x = 0; x < area.width * 4; ++x) {
          if (part[y * area.width * 4 + x] !== whole[(area.top + y) * WIDTH * 4 + area.left * 4 + x]) ++differing;
        }
      }
      if (differing) wrong.push(`${id}: ${differing} values differ`);
    }
    check(wrong.length === 0, `${name}: the board and panel canvases show the picture's parts`, wrong.join("; "));
  };
  const turnTo = async (viewport) => {
    await page.setViewport(viewport);
    await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => done())));
  };

  await page.goto(`${server.url}?test`);
  await page.waitForFunction(() => !document.getElementById("screen").hidden, { timeout: 30000 });
  const square = await checkFits("390 x 844 portrait", "board-view panel-view");
  check(square >= SQUARE_MIN && square <= SQUARE_MAX, "390 x 844 portrait: a board square's size",
        `${square.toFixed(1)} CSS pixels, not ${SQUARE_MIN} to ${SQUARE_MAX}`);

  // The scenario's start, every click a tap, up to the first move.
  for (const [verb, ...words] of readScenario()) {
    if (verb === "click" || verb === "tap") {
      await tapAt(Number(words[0]), Number(words[1]));
    } else if (verb === "settle") {
      await settle(Number(words[0]));
    } else if (verb === "frame") {
      const shownPixels = Buffer.from(await pixelsOf("screen"));
      const { count, first } = differences(shownPixels, join(framesDir, `${words[0]}.ppm`));
      check(count === 0, `taps in portrait: ${words[0]}`, `${count} pixels differ from the desktop's, the first at ${first}`);
      if (words[0] === "04-first-move") break;
    }
  }
  await checkPartsShowPicture("portrait");
  await page.screenshot({ path: join(outDir, "portrait-390x844.png") });

  await turnTo(LANDSCAPE);
  await checkFits("turned to 844 x 390", "screen");
  await page.screenshot({ path: join(outDir, "landscape-844x390.png") });
  await turnTo(SMALL);
  await checkFits("320 x 480", "screen");
  await page.screenshot({ path: join(outDir, "small-320x480.png") });
  await turnTo(PORTRAIT);
  await checkFits("turned back to 390 x 844", "board-view panel-view");
  await checkPartsShowPicture("turned back");

  // Installable: the manifest the page links, its icons at their sizes, and
  // all of it kept by the service worker.
  const install = await page.evaluate(async () => {
    const problems = [];
    const manifestUrl = new URL(document.querySelector("link[rel=manifest]").href);
    const manifest = await (await fetch(manifestUrl)).json();
    if (manifest.name !== document.title) problems.push(`name ${manifest.name}`);
    if (!manifest.short_name) problems.push("no short name");
    if (manifest.display !== "standalone") problems.push(`display ${manifest.display}`);
    if (manifest.theme_color !== document.querySelector("meta[name=theme-color]").content) {
      problems.push(`theme colour ${manifest.theme_color}`);
    }
    if (new URL(manifest.start_url, manifestUrl).pathname !== location.pathname) {
      problems.push(`start ${manifest.start_url}`);
    }
    const sizes = [];
    for (const icon of manifest.icons) {
      const url = new URL(icon.src, manifestUrl);
      const bitmap = await createImageBitmap(await (await fetch(url)).blob());
      if (icon.sizes !== `${bitmap.width}x${bitmap.height}`) problems.push(`${icon.src} is ${bitmap.width}x${bitmap.height}`);
      sizes.push(icon.sizes);
    }
    for (const size of ["192x192", "512x512"]) if (!sizes.includes(size)) problems.push(`no ${size} icon`);
    await navigator.serviceWorker.ready;
    for (const url of [manifestUrl, ...manifest.icons.map((icon) => new URL(icon.src, manifestUrl))]) {
      if (!(await caches.match(url.href))) problems.push(`${url.pathname} not kept offline`);
    }
    return problems;
  });
  // Opened from the home screen without a network, it starts from what the worker kept.
  server.setOffline(true);
  await page.setCacheEnabled(false);  // the worker's copy, not the browser's cache
  await page.reload();
  const offline = await page.waitForFunction(() => !document.getElementById("screen").hidden, { timeout: 30000 })
    .then(() => "", (error) => String(error));
  server.setOffline(false);
  await page.setCacheEnabled(true);
  if (offline) install.push(`offline start: ${offline}`);
  check(install.length === 0, "the manifest is served, valid and kept offline", install.join("; "));

  // A finger swiped up the help text and a mouse dragged across it: the
  // page does not scroll and nothing is selected.
  const help = await page.evaluate(() => {
    const box = document.getElementById("help").getBoundingClientRect();
    return { left: box.left + 2, right: box.right - 2, y: box.top + box.height / 2 };
  });
  const session = await page.createCDPSession();
  const touch = (type, point) => session.send("Input.dispatchTouchEvent", { type, touchPoints: point ? [point] : [] });
  await touch("touchStart", { x: help.left, y: help.y });
  for (let step = 1; step <= 10; ++step) await touch("touchMove", { x: help.left, y: help.y - 30 * step });
  await touch("touchEnd");
  await session.detach();
  await page.mouse.move(help.left, help.y);
  await page.mouse.down();
  await page.mouse.move(help.right, help.y, { steps: 5 });
  await page.mouse.up();
  const after = await page.evaluate(() => ({ scrolled: scrollY + visualViewport.offsetTop,
                                             selected: getSelection().toString() }));
  check(after.scrolled === 0 && after.selected === "", "a swipe and a drag on the page neither scroll nor select",
        JSON.stringify(after));
} catch (error) {
  failures.push(String(error));
} finally {
  await closeBrowser();
  server.close();
}
finish();
