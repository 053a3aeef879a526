// The table.dat record rules (the loader with its screen output is in
// eval_table_loader.cpp).
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "data/eval_table_loader.hpp"

namespace kerna {
namespace {

constexpr int kFieldsPerRecord = 11;
constexpr int kLastIndex = kLineConfigurations - 1;  // 6560

// The integer part of a field's number, cut toward zero: its low 8 bits and
// its size (held at a ceiling far above any line index, so nothing overflows).
struct FieldInteger {
  bool negative = false;
  uint32_t magnitude = 0;  // at most kCeiling
  uint8_t low = 0;         // magnitude mod 256

  static constexpr uint32_t kCeiling = 1000000;

  int8_t LowByte() const { return static_cast<int8_t>(negative ? -low : low); }
  bool IsLineIndex() const { return magnitude <= kLastIndex && (!negative || magnitude == 0); }
};

// Blanks and tabs, an optional sign, then digits; a decimal point ends the
// integer part and its fraction is dropped; the first other byte ends the number.
FieldInteger ReadInteger(std::string_view field) {
  FieldInteger n;
  size_t i = 0;
  while (i < field.size() && (field[i] == ' ' || field[i] == '\t')) ++i;
  if (i < field.size() && (field[i] == '+' || field[i] == '-')) n.negative = field[i++] == '-';
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
    const int digit = field[i] - '0';
    n.magnitude = std::min<uint32_t>(n.magnitude * 10 + digit, FieldInteger::kCeiling);
    n.low = static_cast<uint8_t>(n.low * 10 + digit);
  }
  return n;
}

// Walks the fields. The data ends at the end of the bytes or at a zero byte.
class FieldReader {
 public:
  explicit FieldReader(std::string_view data) : data_(data) {}

  // The next field's text (cut to the longest field the format allows), or
  // nothing when the data ends before the field's first byte.
  std::optional<std::string_view> Next() {
    if (AtEnd()) return std::nullopt;
    const size_t start = position_;
    while (!AtEnd() && data_[position_] != ',' && data_[position_] != '\r') ++position_;
    const size_t length = position_ - start;
    if (!AtEnd()) {
      const bool carriageReturn = data_[position_] == '\r';
      ++position_;
      // The byte after a CR (the line feed) is skipped, unless the data ends there.
      if (carriageReturn && !AtEnd()) ++position_;
    }
    constexpr size_t kMaxText = kEvalTableFieldBytes - 1;  // room for the terminator
    return data_.substr(start, std::min(length, kMaxText));
  }

 private:
  bool AtEnd() const { return position_ >= data_.size() || data_[position_] == '\0'; }

  std::string_view data_;
  size_t position_ = 0;
};

}  // namespace

void ParseEvalTables(std::string_view bytes, EvalTables& tables,
                     const std::function<void(int percent)>& showProgress) {
  FieldReader fields(bytes);
  int previousPercent = 0;
  for (;;) {
    std::array<FieldInteger, kFieldsPerRecord> record{};
    int read = 0;
    for (; read < kFieldsPerRecord; ++read) {
      const auto field = fields.Next();
      if (!field) break;
      record[read] = ReadInteger(*field);
    }
    if (read < kFieldsPerRecord) return;     // the end of the data: a short record is not stored
    if (!record[0].IsLineIndex()) continue;  // outside the tables: skip the record

    const int index = static_cast<int>(record[0].magnitude);
    for (int column = 0; column < 8; ++column)
      tables.Edge[index][column] = record[1 + column].LowByte();
    tables.Pattern[index][0] = record[9].LowByte();
    tables.Pattern[index][1] = record[10].LowByte();

    const int percent = index * 100 / kLastIndex;
    if (percent != previousPercent && index > 0) showProgress(percent);
    previousPercent = percent;
  }
}

}  // namespace kerna
