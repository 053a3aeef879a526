// Times the level-6 computer on kerna-bench's positions in headless Chromium
// (build-web/bench/kerna-think-bench.html) and prints the bench's lines.
//
//   node think-bench.mjs BENCH_DIR
import { mkdtempSync, readFileSync, rmSync } from "node:fs";
import { createServer } from "node:http";
import { tmpdir } from "node:os";
import { extname, join, resolve } from "node:path";
import puppeteer from "puppeteer-core";

const dir = resolve(process.argv[2]);
const types = { ".html": "text/html; charset=utf-8", ".js": "text/javascript", ".wasm": "application/wasm" };
const server = createServer((request, response) => {
  const file = join(dir, decodeURIComponent(new URL(request.url, "http://x").pathname));
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
const profile = mkdtempSync(join(tmpdir(), "kerna-think-bench-"));
const browser = await puppeteer.launch({
  executablePath: "/usr/bin/chromium",
  headless: true,
  args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
         "--disable-component-update", "--disable-sync", "--no-first-run", `--user-data-dir=${profile}`],
});
try {
  const page = await browser.newPage();
  page.on("console", (message) => console.log(message.text()));
  await page.goto(`http://127.0.0.1:${server.address().port}/kerna-think-bench.html`);
  await page.waitForFunction(() => Module.benchDone === true, { timeout: 600000, polling: 500 });
} finally {
  await browser.close();
  server.close();
  rmSync(profile, { recursive: true, force: true });
}
