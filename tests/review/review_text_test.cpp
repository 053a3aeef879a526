// `kerna-reversi --review FILE --text` run as a player runs it: one line per
// move and exit 0 for a good record; one line on stderr and exit 1 for a bad
// one. No display is set in the tests, so opening a window would fail.
#include "review/review_text.hpp"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "review_test_support.hpp"

namespace kerna::review {
namespace {

struct ProgramRun {
  int exitCode = -1;
  std::vector<std::string> out;
  std::string err;
};

ProgramRun RunReview(const std::string& ggf_text) {
  const auto folder =
      std::filesystem::temp_directory_path() / ("kerna-review-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const auto record = folder / "game.ggf";
  const auto err_file = folder / "err.txt";
  std::ofstream(record) << ggf_text;
  const std::string command = std::string("env -u DISPLAY '") + KERNA_GAME_BINARY + "' --review '" +
                              record.string() + "' --text 2>'" + err_file.string() + "'";
  ProgramRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char line[512];
  while (std::fgets(line, sizeof line, pipe) != nullptr) {
    std::string text = line;
    if (!text.empty() && text.back() == '\n') text.pop_back();
    run.out.push_back(text);
  }
  const int status = ::pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::stringstream err;
  err << std::ifstream(err_file).rdbuf();
  run.err = err.str();
  std::filesystem::remove_all(folder);
  return run;
}

TEST(ReviewText, PrintsOneLinePerMoveOfAShortGame) {
  const GgfGame game = test::SeededGame(7, 6);
  const ProgramRun run = RunReview(WriteGgf(game));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  ASSERT_EQ(run.out.size(), game.moves.size());
  const std::regex line(
      R"((\d+) (black|white) ([a-h][1-8]) [+-]\d+\.\d\d ([a-h][1-8]) [+-]\d+\.\d\d \d+\.\d\d( book)?)");
  for (size_t k = 0; k < run.out.size(); ++k) {
    std::smatch parts;
    ASSERT_TRUE(std::regex_match(run.out[k], parts, line)) << run.out[k];
    EXPECT_EQ(parts[1], std::to_string(k + 1));
    EXPECT_EQ(parts[2], k % 2 == 0 ? "black" : "white");
    EXPECT_EQ(parts[3], GgfSquareName(game.moves[k].square));
  }
}

TEST(ReviewText, ABadRecordGetsOneLineAndExitCode1) {
  GgfGame illegal = test::SeededGame(7, 1);
  illegal.moves.push_back({63, std::nullopt, std::nullopt});
  for (const std::string& text : {WriteGgf(illegal), std::string("not a record")}) {
    const ProgramRun run = RunReview(text);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.empty());
    ASSERT_FALSE(run.err.empty());
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
  }
  EXPECT_NE(RunReview(WriteGgf(illegal)).err.find("move 2 (h8) is not legal"), std::string::npos);
}

TEST(ReviewText, APassIsPrintedAsAPass) {
  ReviewedMove pass;
  pass.number = 13;
  pass.mover = kGgfWhite;
  EXPECT_EQ(ReviewLine(pass), "13 white pass");
  ReviewedMove move{12, kGgfBlack, 37, 19, 1.0, -3.0, 4.0, "7"};
  EXPECT_EQ(ReviewLine(move), "12 black f5 -3.00 d3 +1.00 4.00");
}

}  // namespace
}  // namespace kerna::review
