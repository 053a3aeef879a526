// Where the game's picture goes on the page, by the shape of the screen. The
// game always draws its whole 640 x 440 picture into the page's canvas
// (#screen); this file decides how it is shown:
//
// - whole: the picture at the largest scale that fits, with the text around
//   it (help, notices, links: #aside) beside it when the screen is wide, under
//   it when that leaves the picture more room;
// - parts (a screen taller than wide): the board part of the picture above
//   the panel part, at one scale, each copied into a canvas of its own
//   (#board-view, #panel-view), the text under them. On a 390-pixel-wide
//   phone this shows a board square 43 CSS pixels wide where the whole
//   picture would show 29.
//
// The arrangement that gives the picture the larger scale wins, so a small
// portrait screen (320 x 480) whose height cannot hold both parts keeps the
// whole picture. Pixels are sharp when a picture pixel is a whole number of
// device pixels, smoothed otherwise. A pointer's position on any of the
// canvases maps back to the picture's pixels (pointAt).
"use strict";

window.kernaLayout = (() => {
  const WIDTH = 640, HEIGHT = 440;
  const WHOLE = { left: 0, top: 0, width: WIDTH, height: HEIGHT };
  const GAP = 6;  // CSS pixels between the picture and the text
  // The text column beside the picture: narrower would wrap the help line
  // into a tower, wider only spreads it.
  const SIDE_MIN = 170, SIDE_MAX = 320;
  const MARGIN = 8;  // the text's distance from the screen's sides

  // The arrangement with the largest scale (CSS pixels per picture pixel),
  // and the text's width in it; textHeight(width) measures the text set at
  // that width.
  function bestArrangement(width, height, areas, textHeight) {
    const below = textHeight(width - 2 * MARGIN);
    const found = [];
    const { board, panel } = areas;
    if (board && panel && height > width) {
      found.push({ kind: "parts", textWidth: width - 2 * MARGIN,
                   scale: Math.min(width / Math.max(board.width, panel.width),
                                   (height - below - GAP) / (board.height + panel.height)) });
    }
    found.push({ kind: "under", textWidth: width - 2 * MARGIN,
                 scale: Math.min(width / WIDTH, (height - below - GAP) / HEIGHT) });
    const besideScale = Math.min((width - SIDE_MIN - GAP - MARGIN) / WIDTH, height / HEIGHT);
    const sideWidth = Math.min(SIDE_MAX, width - besideScale * WIDTH - GAP - MARGIN);
    if (sideWidth >= SIDE_MIN && textHeight(sideWidth) <= height) {
      found.push({ kind: "beside", textWidth: sideWidth, scale: besideScale });
    }
    // The first of equals wins: the parts in portrait, the text under when it costs nothing.
    return found.reduce((best, next) => (next.scale > best.scale ? next : best));
  }

  function create({ screen, boardView, panelView, text }) {
    const views = { whole: [{ canvas: screen, area: WHOLE }], parts: [] };
    let areas = {};
    let shown = views.whole;

    const place = (element, box) => {
      for (const side of ["left", "top", "width", "height"]) {
        if (side in box) element.style[side] = `${box[side]}px`;
      }
    };
    const textHeight = (width) => {
      text.style.width = `${Math.max(width, 0)}px`;
      return text.offsetHeight;
    };
    // The parts' canvases show what #screen shows: rows first..last of the picture.
    const copyRows = (first, last) => {
      if (shown !== views.parts) return;
      for (const { canvas, area } of views.parts) {
        const top = Math.max(first, area.top), bottom = Math.min(last + 1, area.top + area.height);
        if (top >= bottom) continue;
        canvas.getContext("2d").drawImage(screen, area.left, top, area.width, bottom - top,
                                          0, top - area.top, area.width, bottom - top);
      }
    };

    return {
      // The game's picture areas (board, panel, square), as it tells them at start.
      setAreas(told) {
        areas = told;
        views.parts = [{ canvas: boardView, area: areas.board }, { canvas: panelView, area: areas.panel }];
        for (const { canvas, area } of views.parts) {
          canvas.width = area.width;
          canvas.height = area.height;
        }
      },
      copyRows,
      // Lays the page out for the window as it is now. forcedScale: device
      // pixels per picture pixel that window.ini asks for (0: none).
      fit(forcedScale) {
        const width = document.documentElement.clientWidth, height = document.documentElement.clientHeight;
        const ratio = window.devicePixelRatio || 1;
        const chosen = bestArrangement(width, height, areas, textHeight);
        let scale = chosen.scale;
        if (forcedScale > 0) scale = Math.min(scale, forcedScale / ratio);
        scale = Math.max(scale, 0.1);
        // Positions and sizes in whole device pixels, so that parts meet without a seam.
        const device = (value) => Math.round(value * ratio) / ratio;
        const sized = (area) => ({ width: device(area.width * scale), height: device(area.height * scale) });

        const wasParts = shown === views.parts;
        shown = chosen.kind === "parts" ? views.parts : views.whole;
        if (!wasParts && shown === views.parts) copyRows(0, HEIGHT - 1);
        const boxes = shown.map(({ area }) => sized(area));
        const textAt = textHeight(chosen.textWidth);
        const stacked = chosen.kind !== "beside";
        const pictureWidth = Math.max(...boxes.map((box) => box.width));
        const pictureHeight = boxes.reduce((sum, box) => sum + box.height, 0);
        const groupWidth = stacked ? pictureWidth : pictureWidth + GAP + chosen.textWidth;
        const groupHeight = stacked ? pictureHeight + GAP + textAt : pictureHeight;
        const left = device(Math.max((width - groupWidth) / 2, 0));
        let top = device(Math.max((height - groupHeight) / 2, 0));
        for (const [i, { canvas }] of shown.entries()) {
          place(canvas, { left: stacked ? device((width - boxes[i].width) / 2) : left, top, ...boxes[i] });
          top += boxes[i].height;
        }
        if (stacked) {
          place(text, { left: (width - chosen.textWidth) / 2, top: top + GAP });
        } else {
          place(text, { left: left + pictureWidth + GAP, top: (height - textAt) / 2 });
        }
        for (const view of [...views.whole, ...views.parts]) view.canvas.classList.toggle("off", !shown.includes(view));
        const whole = Math.abs(scale * ratio - Math.round(scale * ratio)) < 1e-6;
        document.body.classList.toggle("sharp", whole);
        return chosen.kind;
      },
      // The picture pixel under a point of the page (client coordinates): on
      // the canvas shown there, or on the nearest one's extension.
      pointAt(x, y) {
        let best = null;
        for (const { canvas, area } of shown) {
          const box = canvas.getBoundingClientRect();
          const distance = Math.hypot(Math.max(box.left - x, 0, x - box.right),
                                      Math.max(box.top - y, 0, y - box.bottom));
          if (!best || distance < best.distance) best = { distance, box, area };
        }
        const { box, area } = best;
        return { x: area.left + (x - box.left) * area.width / box.width,
                 y: area.top + (y - box.top) * area.height / box.height };
      },
    };
  }

  return { create };
})();
