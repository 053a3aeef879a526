// The Windows program's entry: the data folder is the program's own (dat, bmp,
// sound and voice beside the .exe), else the working directory; the window opens
// at the scale that fits the work area (or the one window.ini forces), the game
// runs on its thread until the window is closed. As on Linux, `--review
// FILE.ggf` or the file alone (as Explorer passes a .ggf it opens) starts on
// the review of that game, and `--review FILE --text` prints the review.
// `--test-mode` runs on a virtual clock and reports on stdout (win_backend.hpp).
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "game/data_folder.hpp"
#include "game/game.hpp"
#include "game/run_game.hpp"
#include "platform/cp932.hpp"
#include "platform/file_io.hpp"
#include "platform/os_folders.hpp"
#include "platform/win_backend.hpp"
#include "platform/win_text.hpp"
#include "platform/window_title.hpp"
#include "review/review_screen.hpp"
#include "review/review_text.hpp"

namespace {

// The command line as UTF-8 words (the narrow argv would lose what the
// system's code page cannot spell).
std::vector<std::string> Arguments() {
  int count = 0;
  wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(kerna::platform::Utf8FromWide(words[i]));
  LocalFree(words);
  return arguments;
}

void ShowStartFailure(const std::string& reason) {
  const std::wstring text = kerna::platform::WideFromUtf8("ゲームを始められません: " + reason);
  MessageBoxW(nullptr, text.c_str(),
              kerna::platform::WideFromUtf8(kerna::platform::kWindowTitle).c_str(),
              MB_OK | MB_ICONERROR);
}

}  // namespace

int main() {
  std::vector<std::string> arguments = Arguments();
  bool test_mode = false;
  std::erase_if(arguments, [&](const std::string& word) {
    return word == "--test-mode" && (test_mode = true);
  });
  const std::string data_folder =
      kerna::ChooseDataFolder(kerna::platform::ProgramFolder(), "", ".");
  if (arguments.size() == 3 && arguments[0] == "--review" && arguments[2] == "--text") {
    return kerna::review::RunTextReview(arguments[1], data_folder, stdout, stderr);
  }
  std::string error;
  std::unique_ptr<kerna::platform::WinPlatform> io = kerna::platform::WinPlatform::Create(
      &error, kerna::ForcedWindowScale(data_folder), test_mode);
  if (!io) {
    ShowStartFailure(error);
    return 1;
  }
  io->SetDataFolder(data_folder);
  kerna::Game game(*io);
  game.review.Open = [&game, data_folder](const std::optional<std::string>& ggf_text) {
    kerna::review::ReviewScreen(game, kerna::review::LevelSixAnalyser(data_folder)).Show(ggf_text);
  };
  const std::optional<std::string> review_file =
      arguments.size() == 2 && arguments[0] == "--review"       ? std::optional(arguments[1])
      : arguments.size() == 1 && !arguments[0].starts_with("-") ? std::optional(arguments[0])
                                                                : std::nullopt;
  return io->Run([&game, review_file] {
    if (!review_file) {
      kerna::RunGame(game);
    } else {
      kerna::RunGame(game, [&game, &review_file] {
        game.review.Open(kerna::platform::TryReadFileBytes(*review_file));
      });
    }
  });
}
