// The evaluation tables loaded at program start: the edge table (one signed
// 8-bit score per edge configuration and column of meaning) and the pattern
// table (two signed 8-bit scores per line configuration). A configuration is a
// base-3 number of the line's squares, so each table has 3^8 = 6561 rows.
#pragma once

#include <cstdint>

namespace kerna {

inline constexpr int kLineConfigurations = 6561;

struct EvalTables {
  int8_t Edge[kLineConfigurations][8] = {};
  int8_t Pattern[kLineConfigurations][2] = {};
};

}  // namespace kerna
