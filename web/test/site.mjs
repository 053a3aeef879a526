// What the page tests share: the site served on a loopback port, headless
// Chromium, the scenario's steps and the desktop's frames to compare with.
import { mkdtempSync, readFileSync, rmSync } from "node:fs";
import { createServer } from "node:http";
import { tmpdir } from "node:os";
import { extname, join } from "node:path";
import puppeteer from "puppeteer-core";

export const WIDTH = 640, HEIGHT = 440;

// A static server for the site on a free loopback port; resolves to its
// address. setOffline(true) makes it answer nothing but errors, as a page
// without a network sees it (the browser's own offline mode leaves out the
// service worker's requests).
export async function serveSite(siteDir) {
  let offline = false;
  const types = { ".html": "text/html; charset=utf-8", ".js": "text/javascript", ".css": "text/css",
                  ".wasm": "application/wasm", ".png": "image/png", ".data": "application/octet-stream",
                  ".webmanifest": "application/manifest+json" };
  const server = createServer((request, response) => {
    if (offline) {
      response.destroy();
      return;
    }
    const path = decodeURIComponent(new URL(request.url, "http://x").pathname);
    const file = join(siteDir, path.endsWith("/") ? `${path}index.html` : path);
    try {
      const body = readFileSync(file);
      response.writeHead(200, { "Content-Type": types[extname(file)] || "application/octet-stream" });
      response.end(body);
    } catch {
      response.writeHead(404);
      response.end();
    }
  });
  await new Promise((done) => server.listen(0, "127.0.0.1", done));
  return { url: `http://127.0.0.1:${server.address().port}/`, close: () => server.close(),
           setOffline: (value) => { offline = value; } };
}

// Headless Chromium on a profile of its own, removed at close.
export async function launchBrowser() {
  const profile = mkdtempSync(join(tmpdir(), "kerna-web-test-"));
  const browser = await puppeteer.launch({
    executablePath: "/usr/bin/chromium",
    headless: true,
    args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
           "--disable-component-update", "--disable-sync", "--no-first-run", `--user-data-dir=${profile}`],
  });
  return { browser, close: async () => {
    await browser.close();
    rmSync(profile, { recursive: true, force: true });
  } };
}

// A test's tally: check() prints one line a check, watch() counts the page's
// console errors and uncaught exceptions as failures, finish() prints the
// failures and the totals and ends the process (exit 1 on any failure).
export function makeChecks() {
  const failures = [];
  let passed = 0;
  const check = (ok, name, detail = "") => {
    if (ok) {
      ++passed;
      console.log(`ok      ${name}`);
    } else {
      failures.push(detail ? `${name}: ${detail}` : name);
      console.log(`FAILED  ${name}`);
    }
  };
  const watch = (page) => {
    page.on("console", (message) => {
      if (message.type() === "error") failures.push(`console error: ${message.text()}`);
    });
    page.on("pageerror", (error) => failures.push(`page error: ${error.message}`));
  };
  const finish = () => {
    for (const failure of failures) console.log(failure);
    console.log(`${passed} passed, ${failures.length} failed`);
    process.exit(failures.length === 0 ? 0 : 1);
  };
  return { failures, check, watch, finish };
}

// scenario.txt's steps: [verb, ...words] without the comments.
export function readScenario() {
  const here = new URL(".", import.meta.url).pathname;
  return readFileSync(join(here, "scenario.txt"), "utf8").split("\n")
    .map((line) => line.replace(/#.*/, "").trim().split(/\s+/)).filter((words) => words[0]);
}

function readPpm(path) {
  const bytes = readFileSync(path);
  // "P6\n640 440\n255\n" then RGB.
  let offset = 0;
  for (let lines = 0; lines < 3; ++offset) if (bytes[offset] === 0x0a) ++lines;
  return bytes.subarray(offset);
}

// How many pixels of a canvas's RGBA picture differ from the desktop's frame
// (a PPM of kerna-web-frames), and where the first one is.
export function differences(shown, framePath) {
  const desktop = readPpm(framePath);
  let count = 0, first = null;
  for (let i = 0; i < WIDTH * HEIGHT; ++i) {
    if (shown[4 * i] !== desktop[3 * i] || shown[4 * i + 1] !== desktop[3 * i + 1] ||
        shown[4 * i + 2] !== desktop[3 * i + 2]) {
      if (first === null) first = `(${i % WIDTH}, ${Math.floor(i / WIDTH)})`;
      ++count;
    }
  }
  return { count, first };
}
