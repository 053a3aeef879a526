// The text of the data files the game loads from dat/: the evaluation tables
// (table.dat), the placement values by square class (abc-table.dat), the class
// letter of every square (ban.dat) and the start position (start.dat).
#pragma once

#include <string>

#include "evaluation_model.hpp"

namespace kerna::train {

// 6561 records "index,edge0..edge7,white,black" with CR LF line ends.
std::string TableDatText(const EvaluationTables& tables);
// Five lines (stages 0..4), one four-character field per class A..J. Numbers
// are left-aligned so that no line starts with a blank.
std::string AbcTableText(const EvaluationTables& tables);
// Eight lines of eight class letters, row 1 first.
std::string BanText();
// Eight lines of eight digits: white d4 e5, black d5 e4.
std::string StartText();

void WriteTextFile(const std::string& path, const std::string& text);

// Reads table.dat and abc-table.dat from `folder` (the files the two writers
// above make) into `tables`: a fit may start from, and search with, data
// already shipped. Throws when a file is missing or malformed.
void ReadTables(const std::string& folder, EvaluationTables& tables);

}  // namespace kerna::train
