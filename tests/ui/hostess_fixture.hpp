// A fresh Game on the headless platform with its own data folder, for the
// hostess's tests: a lines file of known ASCII texts, empty voice files (the
// device only needs them to exist) and the shipped balloon and face pictures.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "game/game.hpp"
#include "platform/cp932.hpp"
#include "platform/headless_backend.hpp"

namespace kerna::test {

// The known text of event e at level l: "r1 e05 l1" padded with dots to the
// 20 bytes of the first balloon row, then "r2 e05 l1". The title is "T1".
inline std::string FirstRow(int event, int level) {
  char text[32];
  std::snprintf(text, sizeof text, "r1 e%02d l%d", event, level);
  return text;
}
inline std::string SecondRow(int event, int level) {
  char text[32];
  std::snprintf(text, sizeof text, "r2 e%02d l%d", event, level);
  return text;
}
inline std::string Field(int event, int level) {
  if (event == 53) return "T" + std::to_string(level);
  std::string first = FirstRow(event, level);
  first.resize(20, '.');
  return first + SecondRow(event, level);
}
inline std::string KnownLinesFile() {
  std::string file;
  for (int event = 0; event < kSpeechEvents; ++event) {
    for (int level = 0; level < kSpeechLevels; ++level) {
      file += Field(event, level) + (level < kSpeechLevels - 1 ? "," : "\r\n");
    }
  }
  return file;
}

class HostessTest : public ::testing::Test {
 protected:
  HostessTest() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::temp_directory_path() /
              ("kerna_hostess_" + std::string(info->name()) + "_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder_ / "dat");
    std::filesystem::create_directories(folder_ / "bmp");
    for (const char* picture : {"hukidasi.bmp", "face12.bmp", "face06.bmp"}) {
      std::filesystem::copy_file(std::filesystem::path(KERNA_ASSETS_DIR) / "bmp" / picture,
                                 folder_ / "bmp" / picture);
    }
    io.SetDataFolder(folder_.string());
    g.settings.SoundEffects = 1;
    g.ai.Level = 1;
    g.flow.VersusComputer = 1;
    g.board.MovesPlayed = 20;
    g.board.LegalMoveCount = 5;
    g.hostess.BuildVoiceNames();
  }
  ~HostessTest() override { std::filesystem::remove_all(folder_); }

  void WriteFile(const std::string& game_path, const std::string& bytes) {
    const auto path = folder_ / game_path;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }
  void LoadKnownLines() {
    WriteFile("dat/speech.csv", KnownLinesFile());
    g.hostess.LoadSpeech();
  }
  void AddAllVoices() {
    for (int folder = 0; folder <= 5; ++folder) {
      for (int n = 0; n < kVoiceNames; ++n) {
        WriteFile("voice/" + std::to_string(folder) + "/" + g.hostessState.VoiceNames[n], "");
      }
    }
  }

  // The voice files opened so far, as the game named them.
  std::vector<std::string> Opened() const {
    std::vector<std::string> paths;
    for (const auto& record : io.voice_log()) {
      if (record.action == "open") paths.push_back(record.path);
    }
    return paths;
  }
  // `count` cells of a text row from `column`, as UTF-8.
  std::string Cells(int row, int column, int count) {
    const auto& cells = io.text().Row(row);
    std::string bytes;
    for (int c = column; c < column + count && c < static_cast<int>(cells.size()); ++c) {
      bytes.push_back(static_cast<char>(cells[c].byte));
    }
    return platform::FromCp932(bytes);
  }
  // A balloon row without its trailing blanks.
  std::string BalloonRow(int row) {
    std::string text = Cells(row, 56, 20);
    return text.erase(text.find_last_not_of(' ') + 1);
  }
  // The picture is on the surface at (x, y), judged outside the balloon's text rows.
  bool PictureShown(const char* game_path, int x, int y) {
    const platform::Picture picture = io.LoadPicture(game_path);
    if (picture.empty()) return false;
    int compared = 0;
    for (int py = 0; py < picture.height; py += 3) {
      for (int px = 0; px < picture.width; px += 3) {
        if (y + py >= 96 && y + py < 128) continue;  // rows 6 and 7 carry text
        if (io.surface().Get(x + px, y + py) != picture.Pixel(px, py)) return false;
        ++compared;
      }
    }
    return compared > 0;
  }
  bool BalloonShown() { return PictureShown("bmp\\hukidasi.bmp", 429, 96); }

  std::filesystem::path folder_;
  platform::HeadlessPlatform io;
  std::unique_ptr<Game> game_ = std::make_unique<Game>(io);
  Game& g = *game_;
  HostessState& h = g.hostessState;
};

}  // namespace kerna::test
