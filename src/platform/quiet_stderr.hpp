// Runs a start-up step with stderr pointed at /dev/null. Some system libraries
// (ALSA without a sound card, libwayland without a compositor) print there while
// SDL probes them; the failure itself is reported by SDL's return value.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace kerna::platform {

template <typename Step>
auto Quietly(Step step) {
  std::fflush(stderr);
  const int saved = ::dup(STDERR_FILENO);
  const int null = ::open("/dev/null", O_WRONLY);
  if (saved >= 0 && null >= 0) ::dup2(null, STDERR_FILENO);
  auto result = step();
  if (saved >= 0) {
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
  }
  if (null >= 0) ::close(null);
  return result;
}

}  // namespace kerna::platform
