// The browser's entry point: opens the browser's storage, builds the game on
// the web backend with the data package the page loaded (dat/ bmp/ sound/
// voice/ at /data) and runs it on the page's thread, with the review valuing
// in slices between the screen's frames. The page (web/) sets up the canvas,
// the input and the sound around it.
#include <emscripten.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <utility>

#include "game/data_folder.hpp"
#include "game/game.hpp"
#include "game/run_game.hpp"
#include "platform/file_io.hpp"
#include "platform/web_backend.hpp"
#include "platform/web_storage.hpp"
#include "review/review_screen.hpp"
#include "review/review_text.hpp"
#include "review/web_sliced_review.hpp"
#include "ui/panel_layout.hpp"

namespace {

constexpr const char* kDataFolder = "/data";
constexpr const char* kStoredFolder = "/persist";
// The voice files beside the page, one path a line ("voice/0/01.mp3").
constexpr const char* kVoiceList = "/voice-list.txt";

// clang-format off
EM_JS(int, page_test_mode, (), { return Module.kernaPage.testMode ? 1 : 0; });
EM_JS(void, page_game_starts, (int forced_scale), { Module.kernaPage.gameStarts(forced_scale); });
EM_JS(void, page_game_ended, (), { Module.kernaPage.gameEnded(); });
EM_JS(void, page_review_starts, (), { Module.kernaPage.reviewStarts(); });
EM_JS(void, page_move_valued, (const char* line), { Module.kernaPage.moveValued(UTF8ToString(line)); });
EM_JS(void, page_picture_area, (const char* name, int left, int top, int width, int height), {
  Module.kernaPage.pictureAreas[UTF8ToString(name)] = { left, top, width, height };
});
// clang-format on

// Where the page may cut the picture: a narrow screen shows the board part
// above the panel part; the square tells the page how large a square shows.
void TellPagePictureAreas() {
  const kerna::ScreenLayout layout;
  for (const auto& [name, area] : {std::pair{"board", kerna::BoardPart(layout)},
                                   std::pair{"panel", kerna::PanelPart(layout)}}) {
    page_picture_area(name, area.left, area.top, area.width, area.height);
  }
  page_picture_area("square", static_cast<int>(layout.BoardLeft), static_cast<int>(layout.BoardTop),
                    static_cast<int>(layout.SquareWidth), static_cast<int>(layout.SquareHeight));
}

// The voices are not in the data package: the page fetches each one when the
// game first plays it. An empty file stands for each in the data folder, so
// the game, which looks for a voice file before it plays it, finds them all.
void StandInForVoices() {
  std::istringstream list(kerna::platform::ReadFileBytes(kVoiceList));
  for (std::string path; std::getline(list, path);) {
    if (path.empty()) continue;
    const std::filesystem::path file = std::filesystem::path(kDataFolder) / path;
    std::error_code ignored;
    std::filesystem::create_directories(file.parent_path(), ignored);
    kerna::platform::CreateFileBytes(file.string(), "");
  }
}

// The level-6 analysis, telling the page each move valued in the text
// review's words (kerna-reversi --review FILE --text), for the page test.
kerna::review::Analyser AnalyserTellingThePage() {
  using namespace kerna::review;
  return [analyser = LevelSixAnalyser(kDataFolder, SearchOrder::kOneAfterAnother)](
             const kerna::GgfGame& record, const std::function<bool()>& stop_requested,
             const std::function<void(const ReviewedMove&)>& on_move) {
    page_review_starts();
    return analyser(record, stop_requested, [&on_move](const ReviewedMove& move) {
      page_move_valued(ReviewLine(move).c_str());
      on_move(move);
    });
  };
}

}  // namespace

int main() {
  kerna::platform::OpenBrowserStorage(kStoredFolder, StandInForVoices);
  // The data folder is read-only, as an installed copy's is: the game then keeps
  // set.ini and its records in the user's folder, which is the stored one.
  ::chmod((std::string(kDataFolder) + "/dat").c_str(), 0555);
  auto io = std::make_unique<kerna::platform::WebPlatform>(page_test_mode() != 0);
  io->SetDataFolder(kDataFolder);
  TellPagePictureAreas();
  page_game_starts(kerna::ForcedWindowScale(kDataFolder));
  auto game = std::make_unique<kerna::Game>(*io);
  game->review.Open = [&game](const std::optional<std::string>& ggf_text) {
    kerna::review::ReviewScreen(*game, AnalyserTellingThePage(), kerna::review::SlicedReview::Start)
        .Show(ggf_text);
  };
  kerna::RunGame(*game);
  page_game_ended();
  return 0;
}
