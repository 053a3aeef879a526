// Decoding a Windows bitmap file into a Picture: the one piece of picture
// loading that depends on the backend. The desktop decodes with SDL
// (sdl_picture_file.cpp); the browser and Windows builds, which have no SDL,
// with the plain decoder (plain_bitmap.hpp) in plain_picture_file.cpp.
#pragma once

#include <string>

#include "platform/picture.hpp"

namespace kerna::platform {

// The picture in the bitmap file at `path` (a real path); empty when the file
// is missing or not a bitmap the decoder understands.
Picture DecodeBitmapFile(const std::string& path);

}  // namespace kerna::platform
