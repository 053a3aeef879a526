// The engine program's loop: a reader thread takes the GUI's lines from the
// input as they come and queues them; the main thread handles them in order.
// While a "ping" or "quit" waits in the queue, the search is asked to stop, so
// the answer to the ping is never held up by a long search. The end of the
// input acts as a final "quit" after the lines before it.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <optional>
#include <string>

#include "nboard/engine_player.hpp"
#include "nboard/nboard_session.hpp"

namespace kerna::nboard {

class CommandQueue {
 public:
  // Reader side. A ping or quit makes StopRequested() true until it is taken.
  void Push(std::string line);
  void Close();  // the input ended
  // Main side: the next line, waiting for one; nothing once closed and empty.
  std::optional<std::string> Pop();
  bool StopRequested() const { return pending_stops_.load(std::memory_order_relaxed) > 0; }

 private:
  static bool Stops(const std::string& line);
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<std::string> lines_;
  bool closed_ = false;
  std::atomic<int> pending_stops_{0};
};

// Runs a whole session reading the file descriptor `in_fd`; returns the exit status.
// Replies go to `out`, notes to `err`, each line flushed at once.
int RunEngineLoop(int in_fd, std::FILE* out, std::FILE* err, const EngineOptions& engine,
                  const SessionOptions& session);

}  // namespace kerna::nboard
