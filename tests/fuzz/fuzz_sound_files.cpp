// Fuzz target: any bytes as the placing sound's WAV file and as a voice's mp3
// header, so a chunk or a tag that claims more bytes than the file holds is caught.
#include <cstdint>
#include <string_view>

#include "platform/pcm_sound.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  (void)kerna::platform::ParseWave(file);
  (void)kerna::platform::FindMp3Stream(file);
  return 0;
}
