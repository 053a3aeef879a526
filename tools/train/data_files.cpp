// Formatting of the shipped data files.
#include "data_files.hpp"

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace kerna::train {

std::string TableDatText(const EvaluationTables& tables) {
  std::string text;
  char line[128];
  for (int i = 0; i < kIndices; ++i) {
    const int8_t* e = tables.edge[i];
    std::snprintf(line, sizeof line, "%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d\r\n", i, e[0], e[1], e[2],
                  e[3], e[4], e[5], e[6], e[7], tables.pattern[i][0], tables.pattern[i][1]);
    text += line;
  }
  return text;
}

std::string AbcTableText(const EvaluationTables& tables) {
  std::string text;
  for (int stage = 0; stage < kStages; ++stage) {
    for (int k = 0; k < kSquareClasses; ++k) {
      char field[16];
      std::snprintf(field, sizeof field, "%-4d", static_cast<int>(tables.place[k][stage]));
      if (std::string(field).size() != 4) throw std::runtime_error("placement value too wide");
      text += field;
    }
    while (text.back() == ' ') text.pop_back();
    text += "\r\n";
  }
  return text;
}

std::string BanText() {
  std::string text;
  for (int y = 1; y <= 8; ++y) {
    for (int x = 1; x <= 8; ++x) text += static_cast<char>('A' + SquareClassOf(x, y));
    text += "\r\n";
  }
  return text;
}

std::string StartText() {
  const Bitboard start = Bitboard::Standard();
  std::string text;
  for (int y = 1; y <= 8; ++y) {
    for (int x = 1; x <= 8; ++x) text += static_cast<char>('0' + start.Cell(x, y));
    text += "\r\n";
  }
  return text;
}

void WriteTextFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  if (!out) throw std::runtime_error("cannot write " + path);
}

void ReadTables(const std::string& folder, EvaluationTables& tables) {
  std::ifstream table(folder + "/table.dat");
  if (!table) throw std::runtime_error("cannot read " + folder + "/table.dat");
  std::string line;
  for (int i = 0; i < kIndices; ++i) {
    int v[11] = {};
    if (!std::getline(table, line) ||
        std::sscanf(line.c_str(), "%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d", &v[0], &v[1], &v[2], &v[3],
                    &v[4], &v[5], &v[6], &v[7], &v[8], &v[9], &v[10]) != 11 ||
        v[0] != i)
      throw std::runtime_error("malformed table.dat record " + std::to_string(i));
    for (int c = 0; c < 8; ++c) tables.edge[i][c] = static_cast<int8_t>(v[1 + c]);
    tables.pattern[i][0] = static_cast<int8_t>(v[9]);
    tables.pattern[i][1] = static_cast<int8_t>(v[10]);
  }
  std::ifstream abc(folder + "/abc-table.dat");
  if (!abc) throw std::runtime_error("cannot read " + folder + "/abc-table.dat");
  for (int stage = 0; stage < kStages; ++stage) {
    if (!std::getline(abc, line)) throw std::runtime_error("abc-table.dat too short");
    // Four-character fields, one per class; the trailing blanks may be cut.
    if (!line.empty() && line.back() == '\r') line.pop_back();
    line.resize(4 * kSquareClasses, ' ');
    for (int k = 0; k < kSquareClasses; ++k)
      tables.place[k][stage] = static_cast<int16_t>(std::stoi(line.substr(4 * k, 4)));
  }
}

}  // namespace kerna::train
