// The voices' mp3 decoded to 16-bit PCM by the MP3 codec Windows installs
// (through the Audio Compression Manager), so the game ships no decoder.
#pragma once

#include <optional>
#include <string_view>

#include "platform/pcm_sound.hpp"

namespace kerna::platform {

// The whole file at once (a voice is a few seconds); nothing when the file is
// not an mp3 or the system has no codec for it.
std::optional<PcmSound> DecodeMp3(std::string_view file);

}  // namespace kerna::platform
