// The review's side of the page: a GGF file from the device (the file picker
// under the picture, or dropped anywhere on the page) joins the kept games,
// as the newest, so that 振り返り opens it; and, for the page test, each move
// the review values in the text review's words.
"use strict";

(() => {
  const page = Module.kernaPage;

  // --- What the review tells the page. ---
  page.reviewLines = [];
  page.reviewStarts = () => { page.reviewLines = []; };
  page.moveValued = (line) => { page.reviewLines.push(line); };

  // --- Games from the device. ---
  const pad = (number) => String(number).padStart(2, "0");
  // The kept games are named by the time they ended (2026-12-08T14-03-21.ggf,
  // then -2, -3, ... within a second) and listed newest first.
  function stampNow() {
    const now = new Date();
    return `${now.getFullYear()}-${pad(now.getMonth() + 1)}-${pad(now.getDate())}` +
      `T${pad(now.getHours())}-${pad(now.getMinutes())}-${pad(now.getSeconds())}`;
  }
  function exists(path) {
    try {
      Module.FS.stat(path);
      return true;
    } catch {
      return false;
    }
  }
  // Each game of the file, "(;GM[Othello]...;)", the file's first game shown first.
  function keepGames(text) {
    const games = text.match(/\(;[^]*?;\)/g) || [];
    if (games.length === 0) return 0;
    const folder = page.recordsFolder;
    Module.FS.mkdirTree(folder);
    const stamp = stampNow();
    let number = 1;
    for (const game of games.reverse()) {
      let path;
      do {
        path = `${folder}/${stamp}${number === 1 ? "" : `-${number}`}.ggf`;
        ++number;
      } while (exists(path));
      Module.FS.writeFile(path, `${game}\n`);
    }
    return games.length;
  }
  // The notice takes room under the picture: the page lays itself out again.
  function tell(text) {
    page.notice(text);
    dispatchEvent(new Event("resize"));
  }
  async function openFiles(files) {
    let kept = 0;
    try {
      for (const file of files) kept += keepGames(await file.text());
    } catch (error) {
      tell(`棋譜を取り込めませんでした（${error}）。`);
      return;
    }
    tell(kept === 0
      ? "GGF の棋譜が見つかりませんでした。"
      : `棋譜を${kept}局取り込みました。メニューの「振り返り」で最初に出ます。`);
  }

  const picker = document.createElement("input");
  picker.type = "file";
  picker.accept = ".ggf,.txt,text/plain";
  picker.multiple = true;
  picker.hidden = true;
  picker.addEventListener("change", () => {
    openFiles(Array.from(picker.files));
    picker.value = "";
  });
  const link = document.createElement("a");
  link.id = "open-record";
  link.href = "#";
  link.textContent = "棋譜ファイルを開く";
  link.addEventListener("click", (event) => {
    event.preventDefault();
    picker.click();
  });
  const links = document.getElementById("links");
  links.append("　", link, picker);

  addEventListener("dragover", (event) => {
    if (event.dataTransfer.types.includes("Files")) event.preventDefault();
  });
  addEventListener("drop", (event) => {
    if (event.dataTransfer.files.length === 0) return;
    event.preventDefault();
    openFiles(Array.from(event.dataTransfer.files));
  });
})();
