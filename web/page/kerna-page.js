// The page around the game: the canvas and its layout (kerna-layout.js), mouse,
// touch and keys queued for the game (which takes them at its next sleep), Web
// Audio, the loading bar, the storage notices and the records download. The
// game calls in through Module.kernaPage (src/platform/web_*.cpp).
"use strict";

(() => {
  const WIDTH = 640, HEIGHT = 440;
  const LONG_PRESS_MS = 500;  // a touch held this long is a right click
  const RECORDS_FOLDER = "/persist/kerna-reversi/records";
  const params = new URLSearchParams(location.search);
  const $ = (id) => document.getElementById(id);
  const canvas = $("screen");
  const picture = $("picture");  // the canvases the picture is shown on
  const layout = kernaLayout.create({ screen: canvas, boardView: $("board-view"), panelView: $("panel-view"),
                                      text: $("aside") });
  const context = canvas.getContext("2d", { alpha: false });
  const image = context.createImageData(WIDTH, HEIGHT);
  const inputs = [];
  const yieldChannel = new MessageChannel();
  let forcedScale = 0;

  function notice(text) {
    $("notice").textContent = text;
    $("notice").hidden = false;
    fitCanvas();
  }

  // --- The picture laid out for the screen as it is (a phone turned lays it
  // out anew at once), no larger than window.ini's scale if it sets one.
  const fitCanvas = () => layout.fit(forcedScale);
  addEventListener("resize", fitCanvas);
  addEventListener("orientationchange", fitCanvas);
  fitCanvas();

  // --- Input, queued until the game's next sleep takes it (see nextInput). ---
  const MOVE = 1, DOWN = 2, UP = 3, KEY = 4;
  // Positions go as hundredths of a picture pixel, over a "window" of the picture's size.
  function queuePointer(kind, event, button) {
    const point = layout.pointAt(event.clientX, event.clientY);
    const hundredths = (value) => Math.round(value * 100);
    inputs.push({ kind, numbers: [hundredths(point.x), hundredths(point.y), WIDTH * 100, HEIGHT * 100, button, 0] });
  }
  let touch = null;  // the touch in progress: its pointer id and long-press timer
  picture.addEventListener("pointerdown", (event) => {
    sound.unlock();
    picture.focus();
    event.preventDefault();
    // The button's release then reaches the picture even outside it.
    picture.setPointerCapture(event.pointerId);
    if (event.pointerType === "mouse") {
      if (event.button === 0 || event.button === 2) queuePointer(DOWN, event, event.button);
      return;
    }
    if (touch) return;  // one finger at a time
    // A touch moves the box at once; lifted, it is a left click; held, a right click.
    queuePointer(MOVE, event, 0);
    const id = event.pointerId;
    touch = { id, long: false, timer: setTimeout(() => {
      touch.long = true;
      queuePointer(DOWN, event, 2);
      queuePointer(UP, event, 2);
    }, LONG_PRESS_MS) };
  });
  picture.addEventListener("pointermove", (event) => queuePointer(MOVE, event, 0));
  picture.addEventListener("pointerup", (event) => {
    if (event.pointerType === "mouse") {
      if (event.button === 0 || event.button === 2) queuePointer(UP, event, event.button);
      return;
    }
    if (!touch || touch.id !== event.pointerId) return;
    clearTimeout(touch.timer);
    if (!touch.long) {
      queuePointer(DOWN, event, 0);
      queuePointer(UP, event, 0);
    }
    touch = null;
  });
  picture.addEventListener("pointercancel", () => {
    if (touch) clearTimeout(touch.timer);
    touch = null;
  });
  picture.addEventListener("contextmenu", (event) => event.preventDefault());
  // The keys the game answers (src/platform/dom_keys.cpp) do nothing else here.
  const gameKey = /^(Arrow(Up|Down|Left|Right)|Enter|Escape|Backspace|[ 1-9hHuU])$/;
  addEventListener("keydown", (event) => {
    if (event.ctrlKey || event.altKey || event.metaKey) return;
    sound.unlock();
    if (gameKey.test(event.key) || event.code.startsWith("Numpad")) event.preventDefault();
    inputs.push({ kind: KEY, numbers: [0, 0, 0, 0, 0, event.repeat ? 1 : 0],
                  text: `${event.key}\t${event.code}` });
  });

  // --- Sound: Web Audio, allowed once the player clicked or pressed a key. ---
  const sound = {
    context: null,
    waves: new Map(),  // path -> decoded buffer (the placing sound, kept)
    voice: { bytes: null, serial: 0, source: null },
    unlock() {
      if (!this.context) {
        const AudioContext = window.AudioContext || window.webkitAudioContext;
        if (!AudioContext) return;
        this.context = new AudioContext();
      }
      if (this.context.state === "suspended") this.context.resume();
    },
    ready() { return this.context !== null && this.context.state === "running"; },
    decode(path) {
      const bytes = Module.FS.readFile(path);
      return this.context.decodeAudioData(bytes.buffer.slice(bytes.byteOffset, bytes.byteOffset + bytes.length));
    },
    start(buffer) {
      const source = this.context.createBufferSource();
      source.buffer = buffer;
      source.connect(this.context.destination);
      source.start();
      return source;
    },
    playWave(path) {
      if (!this.ready()) return;
      if (!this.waves.has(path)) this.waves.set(path, this.decode(path).catch(() => null));
      this.waves.get(path).then((buffer) => { if (buffer) this.start(buffer); });
    },
    // The voice device: one voice at a time. The voices are files beside the
    // page (the game's /data/voice/... is voice/...), fetched when opened.
    voiceAction(action, path) {
      const voice = this.voice;
      if (voice.source) {
        voice.source.stop();
        voice.source = null;
      }
      ++voice.serial;
      if (action === "open") {
        voice.bytes = fetch(path.replace(/^\/data\//, ""))
          .then((response) => response.ok ? response.arrayBuffer() : Promise.reject(response.status));
        voice.bytes.catch(() => {});  // a voice that cannot be fetched stays silent
      }
      if (action !== "play" || !this.ready() || !voice.bytes) return;
      const serial = voice.serial;
      voice.bytes.then((bytes) => this.context.decodeAudioData(bytes.slice(0)))
        .then((buffer) => {
          if (serial === voice.serial) voice.source = this.start(buffer);
        }, () => {});
    },
  };

  // --- Records download: every game kept (GGF), in one file. ---
  function recordsText() {
    let names = [];
    try {
      names = Module.FS.readdir(RECORDS_FOLDER).filter((name) => name.endsWith(".ggf")).sort();
    } catch (error) { /* no game kept yet */ }
    return names.map((name) => Module.FS.readFile(`${RECORDS_FOLDER}/${name}`, { encoding: "utf8" })).join("");
  }
  $("download").addEventListener("click", (event) => {
    event.preventDefault();
    const text = recordsText();
    if (!text) {
      notice("まだ保存された棋譜はありません。");
      return;
    }
    const link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob([text], { type: "text/plain" }));
    link.download = "kerna-reversi-records.ggf";
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
  });

  // --- What the game calls. ---
  const page = {
    testMode: params.has("test"),
    present(rgb, first, last) {
      const pixels = image.data;
      for (let i = first * WIDTH, end = (last + 1) * WIDTH; i < end; ++i) {
        pixels[4 * i] = rgb[3 * i];
        pixels[4 * i + 1] = rgb[3 * i + 1];
        pixels[4 * i + 2] = rgb[3 * i + 2];
        pixels[4 * i + 3] = 255;
      }
      context.putImageData(image, 0, 0, 0, first, WIDTH, last - first + 1);
      layout.copyRows(first, last);
    },
    // Test mode: the virtual clock and the screen's text, for web/test.
    clock: 0,
    text: "",
    testState(clock, text) {
      page.clock = clock;
      if (text !== null) page.text = text;
    },
    yieldBriefly: () => new Promise((resolve) => {
      yieldChannel.port1.onmessage = () => resolve();
      yieldChannel.port2.postMessage(0);
    }),
    nextInput: () => inputs.shift(),
    inputsWaiting: () => inputs.length,
    recordsText,
    recordsFolder: RECORDS_FOLDER,
    notice,
    sound: { playWave: (path) => sound.playWave(path), voice: (action, path) => sound.voiceAction(action, path) },
    message(text, caption) {
      console.warn(`${caption}: ${text}`);
      notice(text);
    },
    storageReady() {},
    // Whether every write has reached the storage (replaced once it is open).
    storageIdle: () => true,
    storageSaved() {},
    storageFailed(what, error) {
      console.warn(`browser storage (${what}): ${error}`);
      notice(what === "load"
        ? "このブラウザには設定と棋譜を保存できません（この回の間だけ覚えています）。"
        : "設定と棋譜をブラウザに保存できませんでした（空き容量を確かめて下さい）。");
      fitCanvas();
    },
    // Set by the game before it starts: its board, panel and a square (picture pixels).
    pictureAreas: {},
    gameStarts(scale) {
      forcedScale = scale;
      layout.setAreas(page.pictureAreas);
      $("loading").hidden = true;
      canvas.hidden = false;
      fitCanvas();
      picture.focus();
    },
    gameEnded() { notice("ゲームを終了しました。ページを読み込み直すと、もう一度遊べます。"); },
  };

  // --- The Emscripten module: the loading bar follows the data package. ---
  window.Module = {
    kernaPage: page,
    setStatus(text) {
      const progress = /\((\d+)\/(\d+)\)/.exec(text);
      if (progress) $("loading-bar").value = Number(progress[1]) / Number(progress[2]);
    },
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
  };

  if ("serviceWorker" in navigator && location.protocol.startsWith("http")) {
    navigator.serviceWorker.register("service-worker.js").catch((error) => console.warn(`offline copy: ${error}`));
  }
})();
