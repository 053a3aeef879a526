// The way into the review of a kept game. The review screen needs the
// analysis, which lives in a folder above this one (review/), so the programs
// that show it (the desktop game's main and the browser's) fill this in; a
// Game without it (the engine program's, a test's) offers none: the result
// screen shows no button for it and the saved games screen says so.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace kerna {

struct ReviewHook {
  // Shows the review of a GGF record until the player leaves it; nothing when
  // the record's file could not be read (the screen says so). The caller
  // redraws its own screen afterwards.
  std::function<void(const std::optional<std::string>& ggf_text)> Open;

  bool Available() const { return static_cast<bool>(Open); }
};

}  // namespace kerna
