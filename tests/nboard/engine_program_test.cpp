// The engine program itself over pipes, as a GUI runs it: start-up, garbage and
// a short game, a ping answered promptly while a long search runs, and the end
// of input acting as "quit".
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "data/ggf.hpp"
#include "nboard/nboard_board.hpp"

namespace kerna::nboard {
namespace {

using Clock = std::chrono::steady_clock;

class EngineProcess {
 public:
  explicit EngineProcess(std::vector<std::string> args = {}) {
    int to_child[2], from_child[2];
    if (pipe(to_child) != 0 || pipe(from_child) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(to_child[0], 0);
      dup2(from_child[1], 1);
      close(to_child[1]);
      close(from_child[0]);
      std::vector<char*> argv;
      std::string program = KERNA_ENGINE_BINARY;
      argv.push_back(program.data());
      for (std::string& arg : args) argv.push_back(arg.data());
      argv.push_back(nullptr);
      execv(program.c_str(), argv.data());
      _exit(127);
    }
    close(to_child[0]);
    close(from_child[1]);
    in_ = to_child[1];
    out_ = from_child[0];
  }
  ~EngineProcess() {
    CloseInput();
    if (out_ >= 0) close(out_);
    if (pid_ > 0 && !exited_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }

  bool Started() const { return pid_ > 0 && in_ >= 0; }
  void Send(const std::string& line) {
    const std::string text = line + "\n";
    ASSERT_EQ(write(in_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  }
  void CloseInput() {
    if (in_ >= 0) close(in_);
    in_ = -1;
  }

  // The next line, or nothing when none came within the time.
  std::optional<std::string> ReadLine(std::chrono::milliseconds wait) {
    const auto deadline = Clock::now() + wait;
    for (;;) {
      const size_t end = buffer_.find('\n');
      if (end != std::string::npos) {
        std::string line = buffer_.substr(0, end);
        buffer_.erase(0, end + 1);
        return line;
      }
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      if (left <= 0) return std::nullopt;
      pollfd fd{out_, POLLIN, 0};
      if (poll(&fd, 1, static_cast<int>(left)) <= 0) continue;
      char chunk[4096];
      const ssize_t got = read(out_, chunk, sizeof chunk);
      if (got <= 0) return std::nullopt;
      buffer_.append(chunk, static_cast<size_t>(got));
    }
  }

  // The first line starting with `prefix`, skipping others.
  std::optional<std::string> WaitFor(const std::string& prefix, std::chrono::milliseconds wait) {
    const auto deadline = Clock::now() + wait;
    while (Clock::now() < deadline) {
      const auto line = ReadLine(std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - Clock::now() + std::chrono::milliseconds(1)));
      if (!line) return std::nullopt;
      skipped.push_back(*line);
      if (line->rfind(prefix, 0) == 0) return line;
    }
    return std::nullopt;
  }

  // The exit status, waiting at most `wait`.
  std::optional<int> Exit(std::chrono::milliseconds wait) {
    const auto deadline = Clock::now() + wait;
    while (Clock::now() < deadline) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        exited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      usleep(5000);
    }
    return std::nullopt;
  }

  std::vector<std::string> skipped;

 private:
  pid_t pid_ = -1;
  int in_ = -1, out_ = -1;
  bool exited_ = false;
  std::string buffer_;
};

constexpr std::chrono::seconds kLong(120);

TEST(EngineProgram, StartsIgnoresGarbageAndPlaysAShortGameThenQuits) {
  EngineProcess engine({"--level", "2", "--data", KERNA_ASSETS_DIR});
  ASSERT_TRUE(engine.Started());
  EXPECT_EQ(engine.ReadLine(kLong), "set myname Kerna2");
  engine.Send("nboard 2");
  engine.Send("\x01\x02 garbage ] [ (;");
  engine.Send("set game (;GM[Othello]BO[8 broken");
  engine.Send("set game (;GM[Othello]PC[x]BO[8 " + std::string(27, '-') + "O*------*O" +
              std::string(27, '-') + " *];)");
  engine.Send("set depth 30");  // the level stays 2
  GgfGame record = StandardGgfGame();
  Position position{record.board, true};
  for (int ply = 1; ply <= 6; ++ply) {
    engine.Send("ping " + std::to_string(ply));
    ASSERT_EQ(engine.WaitFor("pong", kLong), "pong " + std::to_string(ply));
    engine.Send("go");
    const auto answer = engine.WaitFor("===", kLong);
    ASSERT_TRUE(answer);
    const auto move = ParseGgfMoveItem(answer->substr(4));
    ASSERT_TRUE(move) << *answer;
    ASSERT_TRUE(Play(position, move->square)) << *answer;
    engine.Send("move " + answer->substr(4));
  }
  engine.Send("quit");
  EXPECT_EQ(engine.Exit(std::chrono::seconds(10)), 0);
  for (const std::string& line : engine.skipped) {
    EXPECT_NE(line.rfind("set myname Kerna", 0), 0u) << "the level changed: " << line;
  }
}

TEST(EngineProgram, PingDuringALongSearchIsAnsweredWithin200Ms) {
  // Level 6 at 44 moves played ranks the moves, then runs the win-loss-draw
  // solver on 16 empty squares: about 3.5 million moves, well over a second here.
  EngineProcess engine({"--data", KERNA_ASSETS_DIR});
  ASSERT_TRUE(engine.Started());
  ASSERT_TRUE(engine.ReadLine(kLong));
  engine.Send("nboard 2");
  engine.Send(
      "set game (;GM[Othello]BO[8 "
      "-*---*----*-************--O*O*OOOOOO*OO**OO*O*O*-OOOOOO--OOO-*O- *];)");
  engine.Send("set depth 20");
  engine.Send("ping 1");
  ASSERT_EQ(engine.WaitFor("pong", kLong), "pong 1");
  engine.Send("go");
  usleep(100 * 1000);  // the search is under way
  const auto sent = Clock::now();
  engine.Send("ping 2");
  const auto pong = engine.WaitFor("pong", std::chrono::seconds(30));
  const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - sent);
  EXPECT_EQ(pong, "pong 2");
  EXPECT_LT(waited.count(), 200);
  bool answered_before = false;
  for (const std::string& line : engine.skipped) answered_before |= line.rfind("===", 0) == 0;
  EXPECT_FALSE(answered_before) << "the search ended before the ping: the test proves nothing";
  engine.Send("quit");
  EXPECT_EQ(engine.Exit(std::chrono::seconds(10)), 0);
}

TEST(EngineProgram, EndOfInputActsAsQuitAfterTheCommandsBeforeIt) {
  EngineProcess engine({"--level", "1", "--data", KERNA_ASSETS_DIR});
  ASSERT_TRUE(engine.Started());
  engine.Send("nboard 2");
  engine.Send("go");
  engine.CloseInput();
  const auto answer = engine.WaitFor("===", kLong);
  ASSERT_TRUE(answer);
  EXPECT_TRUE(ParseGgfMoveItem(answer->substr(4)));
  EXPECT_EQ(engine.Exit(std::chrono::seconds(10)), 0);
}

TEST(EngineProgram, RefusesToStartWithoutItsTables) {
  EngineProcess engine({"--data", "/nonexistent/kerna"});
  ASSERT_TRUE(engine.Started());
  EXPECT_EQ(engine.Exit(std::chrono::seconds(30)), 2);
}

}  // namespace
}  // namespace kerna::nboard
