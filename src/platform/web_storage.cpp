// The browser's storage (see web_storage.hpp).
#include "platform/web_storage.hpp"

#include <emscripten.h>

#include <cstdlib>

namespace kerna::platform {

namespace {

// clang-format off
EM_ASYNC_JS(void, mount_stored_folder, (const char* folder_text), {
  const folder = UTF8ToString(folder_text);
  const page = Module.kernaPage;
  // Emscripten 3.1's in-memory files keep a file that a rename replaced in
  // their name table: removing the new file later brings the replaced one
  // back. The replaced file goes first, so a rename over a file leaves one.
  const renameOver = FS.rename;
  FS.rename = function(from, to) {
    try {
      const target = FS.lookupPath(to).node;
      if (FS.isFile(target.mode) && target !== FS.lookupPath(from).node) FS.unlink(to);
    } catch (error) { /* nothing there yet */ }
    return renameOver.apply(this, arguments);
  };
  FS.mkdir(folder);
  try {
    if (typeof indexedDB === "undefined") throw new Error("no IndexedDB");
    FS.mount(IDBFS, {}, folder);
    await new Promise((resolve, reject) => FS.syncfs(true, (error) => error ? reject(error) : resolve()));
  } catch (error) {
    page.storageFailed("load", error);
    return;
  }
  // Copy to IndexedDB shortly after a file under the folder was written and
  // closed, renamed or removed; one copy at a time, again if more came meanwhile.
  let pending = null, running = false, again = false;
  const copy = () => {
    pending = null;
    if (running) { again = true; return; }
    running = true;
    FS.syncfs(false, (error) => {
      running = false;
      if (error) page.storageFailed("save", error); else page.storageSaved();
      if (again) { again = false; schedule(); }
    });
  };
  const schedule = () => { if (pending === null) pending = setTimeout(copy, 200); };
  page.storageIdle = () => pending === null && !running;
  // A page being left or hidden copies at once what is waiting: a phone's
  // browser may discard a hidden tab without another word (the copy may finish).
  const flush = () => { if (pending !== null) { clearTimeout(pending); copy(); } };
  addEventListener("pagehide", flush);
  document.addEventListener("visibilitychange", () => { if (document.visibilityState === "hidden") flush(); });
  const inFolder = (path) => typeof path === "string" && path.startsWith(folder + "/");
  const close = FS.close, rename = FS.rename, unlink = FS.unlink;
  FS.close = function(stream) {
    const wrote = stream && (stream.flags & 3) !== 0 && inFolder(stream.path);
    const result = close.apply(this, arguments);
    if (wrote) schedule();
    return result;
  };
  FS.rename = function(from, to) {
    const result = rename.apply(this, arguments);
    if (inFolder(to)) schedule();
    return result;
  };
  FS.unlink = function(path) {
    const result = unlink.apply(this, arguments);
    if (inFolder(path)) schedule();
    return result;
  };
  page.storageReady(folder);
});
// clang-format on

}  // namespace

void OpenBrowserStorage(const char* folder) {
  mount_stored_folder(folder);
  setenv("XDG_CONFIG_HOME", folder, 1);
}

}  // namespace kerna::platform
