// The lines file's field rules: separators, empty fields, the seven-level rows,
// and input outside the format (long fields, extra rows, stray bytes).
#include "ui/speech_csv.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace kerna {
namespace {

struct Table {
  SpeechLines lines{};
};

std::unique_ptr<Table> Parse(std::string_view bytes) {
  auto table = std::make_unique<Table>();
  ParseSpeechCsv(bytes, table->lines);
  return table;
}

std::string Entry(const Table& t, int level, int event) {
  return std::string(reinterpret_cast<const char*>(t.lines[level][event]));
}

std::string Row(const std::string& seven_fields) {
  return seven_fields + "\r\n";
}

TEST(SpeechCsv, RowsHoldTheSevenLevelsOfOneEventInOrder) {
  auto t = Parse(Row("a0,a1,a2,a3,a4,a5,a6") + Row("b0,b1,b2,b3,b4,b5,b6"));
  for (int level = 0; level < kSpeechLevels; ++level) {
    EXPECT_EQ(Entry(*t, level, 0), "a" + std::to_string(level));
    EXPECT_EQ(Entry(*t, level, 1), "b" + std::to_string(level));
    EXPECT_EQ(Entry(*t, level, 2), "");
  }
}

TEST(SpeechCsv, EmptyFieldsTakeNoPlaceSoAnEmptyCellShiftsTheRest) {
  // Blank lines, CR LF and a doubled comma cost nothing.
  auto t = Parse("\r\n\r\na0,a1,,a2,a3,a4,a5,a6\r\nb0,b1,b2,b3,b4,b5,b6\r\n");
  EXPECT_EQ(Entry(*t, 2, 0), "a2");
  EXPECT_EQ(Entry(*t, 6, 0), "a6");
  EXPECT_EQ(Entry(*t, 0, 1), "b0");
  // So a row whose level-1 cell is empty moves every later cell one level to
  // the left, and the next row's first cell becomes this row's level 6.
  auto shifted = Parse("a0,,a2,a3,a4,a5,a6\r\nb0,b1,b2,b3,b4,b5,b6\r\n");
  EXPECT_EQ(Entry(*shifted, 1, 0), "a2");
  EXPECT_EQ(Entry(*shifted, 5, 0), "a6");
  EXPECT_EQ(Entry(*shifted, 6, 0), "b0");
  EXPECT_EQ(Entry(*shifted, 0, 1), "b1");
  EXPECT_EQ(Entry(*shifted, 5, 1), "b6");
  EXPECT_EQ(Entry(*shifted, 6, 1), "");
}

TEST(SpeechCsv, TextAfterTheLastTerminatorAndAfterAZeroByteIsIgnored) {
  auto t = Parse("a0,a1,a2");
  EXPECT_EQ(Entry(*t, 1, 0), "a1");
  EXPECT_EQ(Entry(*t, 2, 0), "");
  auto zero = Parse(std::string("a0,a1\0,a2,", 10));
  EXPECT_EQ(Entry(*zero, 0, 0), "a0");
  EXPECT_EQ(Entry(*zero, 1, 0), "");
}

TEST(SpeechCsv, FieldOfFortyBytesIsKeptWhole) {
  const std::string forty(40, 'x');
  auto t = Parse(forty + ",");
  EXPECT_EQ(Entry(*t, 0, 0), forty);
  EXPECT_EQ(t->lines[0][0][40], 0);
}

TEST(SpeechCsv, LongFieldIsCutAtACharacterBoundaryInsideTheTable) {
  // 39 half-width bytes and then "あ" (82 A0): the pair would end at byte 41.
  const std::string field = std::string(39, 'x') + "\x82\xA0" + "tail";
  auto t = Parse(field + ",next,");
  EXPECT_EQ(Entry(*t, 0, 0), std::string(39, 'x'));
  EXPECT_EQ(t->lines[0][0][39], 0);
  EXPECT_EQ(Entry(*t, 1, 0), "next");  // the neighbour is untouched
  // Twenty full-width characters fit exactly; a twenty-first is dropped.
  std::string twenty;
  for (int i = 0; i < 21; ++i) twenty += "\x82\xA0";
  auto full = Parse(twenty + ",");
  EXPECT_EQ(Entry(*full, 0, 0).size(), 40u);
}

TEST(SpeechCsv, RowsBeyondTheTableAreIgnored) {
  std::string file;
  for (int row = 0; row < kSpeechEvents + 5; ++row)
    file += Row("l0,l1,l2,l3,l4,l5,r" + std::to_string(row));
  auto t = Parse(file);
  EXPECT_EQ(Entry(*t, 6, kSpeechEvents - 1), "r" + std::to_string(kSpeechEvents - 1));
}

TEST(SpeechCsv, LeadByteAtTheEndOfAFieldCountsAsOneByte) {
  EXPECT_EQ(Cp932PrefixLength("ab\x82", 40), 3u);
  EXPECT_EQ(Cp932PrefixLength("a\x82\xA0", 2), 1u);
  EXPECT_EQ(Cp932PrefixLength("\xE0\x40\xFC\x40", 4), 4u);
  EXPECT_EQ(Cp932PrefixLength("\xA0\xA1\xDF", 2), 2u);  // half-width katakana are single bytes
}

}  // namespace
}  // namespace kerna
