// The browser's storage (see web_storage.hpp).
#include "platform/web_storage.hpp"

#include <emscripten.h>

#include <cstdlib>
#include <functional>

namespace kerna::platform {

namespace {

// The stored files are IDBFS's entries in IndexedDB, one a path (its time,
// mode and bytes), but read and written here a few requests at a time: IDBFS's
// own copy lists every entry of both sides, one request each, at every start
// and every copy, which with thousands of kept games takes seconds.
// clang-format off
// Every entry in two requests, in the order of their paths (a folder before
// what it holds), read by the browser while the program goes on.
EM_JS(void, start_reading_stored_folder, (const char* folder_text), {
  const folder = UTF8ToString(folder_text);
  Module.storedFolderRead = new Promise((resolve, reject) => {
    if (typeof indexedDB === "undefined") throw new Error("no IndexedDB");
    IDBFS.getDB(folder, (error, db) => {
      if (error) return reject(error);
      try {
        const transaction = db.transaction([IDBFS.DB_STORE_NAME], "readonly");
        const store = transaction.objectStore(IDBFS.DB_STORE_NAME);
        const keys = store.getAllKeys(), values = store.getAll();
        transaction.oncomplete = () => resolve({ db, paths: keys.result, entries: values.result });
        transaction.onabort = () => reject(transaction.error);
      } catch (failure) {
        reject(failure);
      }
    });
  });
  Module.storedFolderRead.catch(() => { /* told when the folder is mounted */ });
});

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
  const STORE = IDBFS.DB_STORE_NAME;
  let db;
  try {
    if (typeof indexedDB === "undefined") throw new Error("no IndexedDB");
    FS.mount(IDBFS, {}, folder);
    // (Not destructured: Emscripten 3.1's optimiser drops that declaration.)
    const read = await Module.storedFolderRead;
    const paths = read.paths, entries = read.entries;
    db = read.db;
    // Made straight in the in-memory folder, each file owning its stored
    // bytes: a write, a mode and a time set through FS for each of thousands
    // of files would take a good part of a second.
    const folders = new Map([[folder, FS.lookupPath(folder).node]]);
    paths.forEach((path, i) => {
      const entry = entries[i];
      const parent = folders.get(PATH.dirname(path));
      if (!parent) throw new Error(`${path}: not in a stored folder`);
      const node = parent.node_ops.mknod(parent, PATH.basename(path), entry.mode, 0);
      if (FS.isDir(entry.mode)) {
        folders.set(path, node);
      } else {
        node.contents = entry.contents instanceof Uint8Array ? entry.contents : new Uint8Array(entry.contents);
        node.usedBytes = node.contents.length;
      }
      node.timestamp = entry.timestamp.getTime();
    });
  } catch (error) {
    // Nothing is copied back in this visit: a sync of a folder that did not
    // load whole would take out of the storage what it lacks.
    IDBFS.syncfs = (mount, populate, callback) => callback(null);
    page.storageFailed("load", error);
    return;
  }
  // Each change under the folder notes the paths it touched. A moment later
  // (at once when the page is hidden or left, or the game syncs a file) each
  // noted path is copied as it is then, or taken out when it is gone, in one
  // transaction. IndexedDB runs transactions in the order they began, so a
  // later copy never lands before an earlier one; a failed copy's paths go
  // with the next.
  let changed = new Set(), pending = null, copying = 0;
  const entryOf = (path) => {
    let stat;
    try {
      stat = FS.stat(path);
    } catch (error) {
      return null;
    }
    if (FS.isDir(stat.mode)) return { timestamp: stat.mtime, mode: stat.mode };
    return { timestamp: stat.mtime, mode: stat.mode, contents: FS.readFile(path) };
  };
  // `finished` (when given) hears the copy's end: nothing, or what failed.
  const copy = (finished) => {
    clearTimeout(pending);
    pending = null;
    if (changed.size === 0 && !finished) return;
    const paths = changed;
    changed = new Set();
    ++copying;
    let ended = false;
    const done = (error) => {
      if (ended) return;
      ended = true;
      --copying;
      if (error) {
        for (const path of paths) changed.add(path);
        page.storageFailed("save", error);
      } else {
        page.storageSaved();
      }
      if (finished) finished(error);
    };
    let transaction = null;
    try {
      transaction = db.transaction([STORE], "readwrite");
      transaction.oncomplete = () => done(null);
      transaction.onabort = () => done(transaction.error || new Error("copy aborted"));
      const store = transaction.objectStore(STORE);
      for (const path of paths) {
        const entry = entryOf(path);
        if (entry) store.put(entry, path); else store.delete(path);
      }
    } catch (error) {
      try { if (transaction) transaction.abort(); } catch (ignored) { /* already ended */ }
      done(error);
    }
  };
  const schedule = () => { if (pending === null) pending = setTimeout(copy, 200); };
  page.storageIdle = () => pending === null && copying === 0;
  // The game syncs every file it writes, as on a disk, and Emscripten's fsync
  // waits for IDBFS.syncfs, which would copy the whole folder: it copies what
  // changed instead, and the game goes on once that is stored.
  const syncfs = IDBFS.syncfs;
  IDBFS.syncfs = (mount, populate, callback) =>
    populate || mount.mountpoint !== folder ? syncfs(mount, populate, callback) : copy(callback);
  // A page being left or hidden copies at once what is waiting: a phone's
  // browser may discard a hidden tab without another word (the copy may finish).
  const flush = () => { if (pending !== null) copy(); };
  addEventListener("pagehide", flush);
  document.addEventListener("visibilitychange", () => { if (document.visibilityState === "hidden") flush(); });
  const inFolder = (path) => typeof path === "string" && path.startsWith(folder + "/");
  const note = (path) => {
    if (!inFolder(path)) return;
    changed.add(PATH.normalize(path));
    schedule();
  };
  // A folder and everything in it (a folder renamed moves it all).
  const tree = (path) => {
    const all = [path];
    try {
      if (FS.isDir(FS.stat(path).mode)) {
        for (const name of FS.readdir(path)) if (name !== "." && name !== "..") all.push(...tree(PATH.join2(path, name)));
      }
    } catch (error) { /* not there */ }
    return all;
  };
  // Every call that changes a file or a folder, and the paths it touched:
  // those of the arguments before the call and after it.
  const noteAround = (name, before, after) => {
    const call = FS[name];
    FS[name] = function(...args) {
      const touched = before(...args);
      const result = call.apply(this, args);
      for (const path of touched.concat(after(...args))) note(path);
      return result;
    };
  };
  const none = () => [];
  const pathOf = (path) => [typeof path === "string" ? path : FS.getPath(path)];
  noteAround("write", none, (stream) => [stream.path]);
  // A file opened to write may have been emptied without a write.
  noteAround("close", none, (stream) => (stream.flags & 3) !== 0 ? [stream.path] : []);
  noteAround("truncate", none, pathOf);
  noteAround("rename", tree, (from, to) => tree(to));
  noteAround("unlink", none, pathOf);
  noteAround("mkdir", none, pathOf);
  noteAround("rmdir", none, pathOf);
  page.storageReady(folder);
});
// clang-format on

}  // namespace

void OpenBrowserStorage(const char* folder, const std::function<void()>& meanwhile) {
  start_reading_stored_folder(folder);
  meanwhile();
  mount_stored_folder(folder);
  setenv("XDG_CONFIG_HOME", folder, 1);
}

}  // namespace kerna::platform
