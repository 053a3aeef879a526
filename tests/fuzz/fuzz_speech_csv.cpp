// Fuzz target: the lines-file parser must take any bytes, stay inside the
// speech table and leave every entry a text of at most 40 bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "ui/speech_csv.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  kerna::SpeechLines table{};  // 16 kB
  kerna::ParseSpeechCsv(std::string_view(reinterpret_cast<const char*>(data), size), table);
  for (auto& level : table) {
    for (auto& entry : level) {
      if (entry[kerna::kSpeechTextBytes] != 0) std::abort();
    }
  }
  return 0;
}
