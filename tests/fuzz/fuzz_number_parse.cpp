// Fuzz target: text-to-number must accept any bytes, and whatever it reads the
// number format must print and read back.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/number_format.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  const double value = kerna::platform::ParseNumber(text);
  if (std::isfinite(value)) {
    const double again = kerna::platform::ParseNumber(kerna::platform::FormatNumber(value));
    if (std::fabs(again - value) > std::fabs(value) * 1e-14) std::abort();
  }
  return 0;
}
