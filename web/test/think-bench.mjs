// Times the level-6 computer on kerna-bench's positions in headless Chromium
// (build-web/bench/kerna-think-bench.html) and prints the bench's lines.
//
//   node think-bench.mjs BENCH_DIR
import { resolve } from "node:path";
import { launchBrowser, serveSite } from "./site.mjs";

const server = await serveSite(resolve(process.argv[2]));
const { browser, close: closeBrowser } = await launchBrowser();
try {
  const page = await browser.newPage();
  page.on("console", (message) => console.log(message.text()));
  await page.goto(`${server.url}kerna-think-bench.html`);
  await page.waitForFunction(() => Module.benchDone === true, { timeout: 600000, polling: 500 });
} finally {
  await closeBrowser();
  server.close();
}
