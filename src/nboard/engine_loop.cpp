// The reader thread is detached: it may sit in a blocking read when the GUI
// says "quit" while keeping the pipe open, and the process then ends without it.
#include "nboard/engine_loop.hpp"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <memory>
#include <thread>

namespace kerna::nboard {

bool CommandQueue::Stops(const std::string& line) {
  size_t start = line.find_first_not_of(" \t");
  if (start == std::string::npos) return false;
  const std::string word = line.substr(start, line.find_first_of(" \t\r", start) - start);
  return word == "ping" || word == "quit";
}

void CommandQueue::Push(std::string line) {
  const bool stops = Stops(line);
  {
    std::lock_guard lock(mutex_);
    lines_.push_back(std::move(line));
    if (stops) pending_stops_.fetch_add(1, std::memory_order_relaxed);
  }
  ready_.notify_one();
}

void CommandQueue::Close() {
  {
    std::lock_guard lock(mutex_);
    closed_ = true;
  }
  ready_.notify_one();
}

std::optional<std::string> CommandQueue::Pop() {
  std::unique_lock lock(mutex_);
  ready_.wait(lock, [this] { return !lines_.empty() || closed_; });
  if (lines_.empty()) return std::nullopt;
  std::string line = std::move(lines_.front());
  lines_.pop_front();
  if (Stops(line)) pending_stops_.fetch_sub(1, std::memory_order_relaxed);
  return line;
}

namespace {

// Reads the input with plain read() calls rather than stdio, so that a reader
// left blocked at the end of the process holds no stdio lock that exit() needs.
class LineReader {
 public:
  explicit LineReader(int fd) : fd_(fd) {}
  // One line without its line break; nothing at the end of input.
  std::optional<std::string> Next() {
    std::string line;
    for (;;) {
      if (at_ == size_) {
        const ssize_t got = Fill();
        if (got <= 0) {
          if (line.empty()) return std::nullopt;
          return line;
        }
      }
      const char c = buffer_[at_++];
      if (c == '\n') return line;
      if (line.size() < kLongestLine) line += c;  // a runaway line is cut
    }
  }

 private:
  static constexpr size_t kLongestLine = size_t{1} << 20;
  ssize_t Fill() {
    ssize_t got;
    do {
      got = ::read(fd_, buffer_.data(), buffer_.size());
    } while (got < 0 && errno == EINTR);
    at_ = 0;
    size_ = got > 0 ? static_cast<size_t>(got) : 0;
    return got;
  }
  int fd_;
  std::array<char, 4096> buffer_{};
  size_t at_ = 0, size_ = 0;
};

void WriteLine(std::FILE* stream, const std::string& line) {
  std::fputs(line.c_str(), stream);
  std::fputc('\n', stream);
  std::fflush(stream);
}

}  // namespace

int RunEngineLoop(int in_fd, std::FILE* out, std::FILE* err, const EngineOptions& engine,
                  const SessionOptions& session_options) {
  // Shared with the detached reader, which may outlive this function.
  auto queue = std::make_shared<CommandQueue>();
  EnginePlayer player(engine, [queue] { return queue->StopRequested(); });
  if (!player.TablesLoaded()) {
    WriteLine(err, "kerna-engine: no evaluation table (dat/table.dat) in the data folder \"" +
                       engine.dataFolder + "\"; give the folder with --data DIR");
    return 2;
  }
  Session session(
      player, session_options, [out](const std::string& line) { WriteLine(out, line); },
      [err](const std::string& line) { WriteLine(err, line); });
  session.Start();

  std::thread reader([queue, in_fd] {
    LineReader input(in_fd);
    while (auto line = input.Next()) queue->Push(std::move(*line));
    queue->Close();
  });
  reader.detach();

  while (auto line = queue->Pop()) {
    if (!session.Handle(*line)) break;
  }
  return 0;
}

}  // namespace kerna::nboard
