// Fuzz target: the evaluation-table parse reads any bytes as dat\table.dat
// without leaving its tables.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "data/eval_table_loader.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static auto tables = std::make_unique<kerna::EvalTables>();
  kerna::ParseEvalTables(std::string_view(reinterpret_cast<const char*>(data), size), *tables,
                         [](int percent) {
                           if (percent < 0 || percent > 100) abort();
                         });
  return 0;
}
