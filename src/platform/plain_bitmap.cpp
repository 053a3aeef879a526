// The plain bitmap decoder (see plain_bitmap.hpp).
#include "platform/plain_bitmap.hpp"

#include <cstdint>
#include <cstdlib>

namespace kerna::platform {

namespace {

int64_t Little(std::string_view bytes, size_t at, int count) {
  int64_t value = 0;
  for (int i = count - 1; i >= 0; --i) {
    value = value * 256 + static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
  }
  return value;
}

}  // namespace

Picture DecodePlainBitmap(std::string_view bytes) {
  Picture picture;
  if (bytes.size() < 26 || bytes[0] != 'B' || bytes[1] != 'M') return picture;
  const int64_t pixel_offset = Little(bytes, 10, 4);
  const int64_t header_size = Little(bytes, 14, 4);
  int64_t width = 0, height = 0, bits = 0, compression = 0;
  bool top_down = false;
  if (header_size == 12) {
    width = Little(bytes, 18, 2);
    height = Little(bytes, 20, 2);
    bits = Little(bytes, 24, 2);
  } else if (header_size >= 40 && bytes.size() >= 54) {
    width = static_cast<int32_t>(Little(bytes, 18, 4));
    const auto signed_height = static_cast<int32_t>(Little(bytes, 22, 4));
    // A negative height stores the rows from the top down.
    top_down = signed_height < 0;
    height = std::abs(static_cast<int64_t>(signed_height));
    bits = Little(bytes, 28, 2);
    compression = Little(bytes, 30, 4);
  } else {
    return picture;
  }
  if ((bits != 24 && bits != 32) || compression != 0 || width <= 0 || height <= 0 ||
      width > 16384 || height > 16384) {
    return picture;
  }
  const int64_t pixel_bytes = bits / 8;
  const int64_t row_bytes = (width * bits + 31) / 32 * 4;
  if (pixel_offset < 0 || pixel_offset + row_bytes * height > static_cast<int64_t>(bytes.size())) {
    return picture;
  }
  picture.width = static_cast<int>(width);
  picture.height = static_cast<int>(height);
  picture.pixels.resize(static_cast<size_t>(width * height));
  for (int64_t y = 0; y < height; ++y) {
    const int64_t stored_row = top_down ? y : height - 1 - y;
    const size_t row = static_cast<size_t>(pixel_offset + stored_row * row_bytes);
    for (int64_t x = 0; x < width; ++x) {
      const size_t at = row + static_cast<size_t>(x * pixel_bytes);
      // Stored blue, green, red.
      picture.pixels[static_cast<size_t>(y * width + x)] =
          Rgb{static_cast<uint8_t>(bytes[at + 2]), static_cast<uint8_t>(bytes[at + 1]),
              static_cast<uint8_t>(bytes[at])};
    }
  }
  return picture;
}

}  // namespace kerna::platform
