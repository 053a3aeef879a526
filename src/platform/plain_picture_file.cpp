// Bitmap files in the builds without SDL (the browser, Windows): the plain
// decoder (see picture_file.hpp).
#include "platform/file_io.hpp"
#include "platform/picture_file.hpp"
#include "platform/plain_bitmap.hpp"

namespace kerna::platform {

Picture DecodeBitmapFile(const std::string& path) {
  return DecodePlainBitmap(ReadFileBytes(path));
}

}  // namespace kerna::platform
