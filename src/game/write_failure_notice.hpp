// When a file the game keeps for the player cannot be written (a full disk, a
// folder that cannot be written): the files layer has already left the earlier
// file whole (every write is atomic or cut back), the player is told once in a
// message box, and the game plays on. Once: while writes of the same file keep
// failing nothing more is said; after one succeeds, a new failure is told.
//
// Each write of such a file goes through Report, which hands the result back:
//   if (!g_.writeFailureNotice.Report(KeptFile::kSettings, g_.io.WriteWholeFile(path, text)))
//     ...  // nothing more to do: the player knows, the old file is whole
#pragma once

#include <array>
#include <string_view>

#include "platform/platform.hpp"

namespace kerna {

enum class KeptFile { kGameRecord, kSettings, kGameInProgress };
inline constexpr int kKeptFileKinds = 3;

struct WriteFailureState {
  // Whether the player has been told of the failure of the file's last write.
  std::array<bool, kKeptFileKinds> Told{};
};

class WriteFailureNotice {
 public:
  WriteFailureNotice(platform::Platform& io, WriteFailureState& state) : io_(io), state_(state) {}

  // After a write of the file: tells the player of a failure unless told
  // already; returns `written`.
  bool Report(KeptFile file, bool written);

  // The message for the file (CP932).
  static std::string_view Message(KeptFile file);

 private:
  platform::Platform& io_;
  WriteFailureState& state_;
};

}  // namespace kerna
