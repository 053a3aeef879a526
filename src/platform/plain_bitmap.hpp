// A small Windows bitmap decoder without any library, for the browser build:
// uncompressed 24- and 32-bit pictures (every bitmap the game ships is 24-bit),
// bottom-up or top-down. Anything else decodes as an empty picture.
#pragma once

#include <string_view>

#include "platform/picture.hpp"

namespace kerna::platform {

Picture DecodePlainBitmap(std::string_view bytes);

}  // namespace kerna::platform
