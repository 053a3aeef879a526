// Loads the edge and pattern tables of the evaluation from dat\table.dat at
// program start, showing the loading line and a percentage while it reads.
//
// The file is a flat list of decimal fields, each ended by a comma or by CR
// (the byte after a CR is skipped); every eleven fields make one record:
// line index, edge columns 0..7, pattern values for white and black. Each value
// keeps the low 8 bits of its integer part. Input outside that format stays
// outside the tables: records with an index beyond 0..6560 are skipped, a
// record cut short by the end of the data is not stored, and over-long fields
// are cut.
#pragma once

#include <functional>
#include <string_view>

#include "data/eval_tables.hpp"
#include "platform/platform.hpp"

namespace kerna {

// The longest field the file format allows, its terminator included; longer
// fields are cut to this length.
inline constexpr int kEvalTableFieldBytes = 255;

// Fills `tables` from the bytes of a table file (entries the file does not
// name keep their values). After each stored record whose whole percentage
// (index * 100 / 6560) differs from the previous record's and whose index is
// above 0, calls `showProgress` with that percentage. Kept apart from the file
// and the screen so that tests and the fuzz target can feed it bytes.
void ParseEvalTables(std::string_view bytes, EvalTables& tables,
                     const std::function<void(int percent)>& showProgress);

class EvalTableLoader {
 public:
  EvalTableLoader(platform::Platform& io, EvalTables& tables) : io_(io), tables_(tables) {}

  // Reads dat\table.dat into the tables (a missing file leaves them zero),
  // with the loading line at column 14, row 8 and the percentage in row 9.
  void LoadEvalTables();

 private:
  platform::Platform& io_;
  EvalTables& tables_;
};

}  // namespace kerna
