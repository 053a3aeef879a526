// The table.dat record rules: record layout, 8-bit storage, field separators,
// the end of the data, input outside the format, and when progress is shown.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/eval_table_loader.hpp"

namespace kerna {
namespace {

class EvalTableParseTest : public testing::Test {
 protected:
  void Parse(const std::string& bytes) {
    ParseEvalTables(bytes, *tables_, [this](int percent) { progress_.push_back(percent); });
  }
  const int8_t* Edge(int index) const { return tables_->Edge[index]; }
  const int8_t* Pattern(int index) const { return tables_->Pattern[index]; }

  // A record line: the index, then ten values counting up from `first`.
  static std::string Record(int index, int first) {
    std::string line = std::to_string(index);
    for (int v = 0; v < 10; ++v) line += "," + std::to_string(first + v);
    return line + "\r\n";
  }
  static std::string AscendingRecords(int last) {
    std::string text;
    for (int i = 0; i <= last; ++i) text += std::to_string(i) + ",0,0,0,0,0,0,0,0,0,0\r\n";
    return text;
  }

  std::unique_ptr<EvalTables> tables_ = std::make_unique<EvalTables>();
  std::vector<int> progress_;
};

void ExpectRecord(const int8_t* edge, const int8_t* pattern, int first) {
  for (int c = 0; c < 8; ++c) EXPECT_EQ(edge[c], first + c) << "edge column " << c;
  EXPECT_EQ(pattern[0], first + 8);
  EXPECT_EQ(pattern[1], first + 9);
}

TEST_F(EvalTableParseTest, StoresEdgeColumnsThenWhiteAndBlackPatternValues) {
  Parse(Record(0, 1) + Record(4000, -60) + Record(6560, 100));
  ExpectRecord(Edge(0), Pattern(0), 1);
  ExpectRecord(Edge(4000), Pattern(4000), -60);
  ExpectRecord(Edge(6560), Pattern(6560), 100);
  EXPECT_EQ(Edge(1)[0], 0);  // entries the file does not name stay as they were
}

TEST_F(EvalTableParseTest, KeepsTheLowEightBitsOfTheIntegerPartAsSigned) {
  Parse("9,255,-1,128,-129,300,3.9,-3.9,  7x,256,-200\r\n");
  const int8_t expected[8] = {-1, -1, -128, 127, 44, 3, -3, 7};
  for (int c = 0; c < 8; ++c) EXPECT_EQ(Edge(9)[c], expected[c]) << "column " << c;
  EXPECT_EQ(Pattern(9)[0], 0);
  EXPECT_EQ(Pattern(9)[1], 56);
  // Huge numbers and tabs: 10^30 = 2^30 * 5^30 has low byte 0; 1000000007 mod 256 = 7.
  Parse("10,\t1000000000000000000000000000000,1000000007,+5,-,.,1.9.9,--3,-+3,1e5,0\r\n");
  const int8_t expected10[8] = {0, 7, 5, 0, 0, 1, 0, 0};
  for (int c = 0; c < 8; ++c) EXPECT_EQ(Edge(10)[c], expected10[c]) << "column " << c;
  EXPECT_EQ(Pattern(10)[0], 1);  // a number stops at the letter e
}

TEST_F(EvalTableParseTest, CountsFieldsNotLines) {
  // CR LF between every field, and two records sharing one line.
  std::string crlf;
  for (int v = 0; v < 11; ++v) crlf += std::to_string(v == 0 ? 12 : v) + "\r\n";
  Parse(crlf + "13,1,2,3,4,5,6,7,8,9,10,14,2,3,4,5,6,7,8,9,10,11\r\n");
  ExpectRecord(Edge(12), Pattern(12), 1);
  ExpectRecord(Edge(13), Pattern(13), 1);
  ExpectRecord(Edge(14), Pattern(14), 2);
}

TEST_F(EvalTableParseTest, TheEndOfTheDataEndsTheLoad) {
  // A last record without a line end is complete; a record cut short is not stored.
  Parse(Record(20, 1) + "21,1,2,3,4,5,6,7,8,9,10\r\n22,5,5,5");
  ExpectRecord(Edge(20), Pattern(20), 1);
  ExpectRecord(Edge(21), Pattern(21), 1);
  EXPECT_EQ(Edge(22)[0], 0);

  // A zero byte ends the data like the end of the file.
  Parse(Record(30, 1) + std::string(1, '\0') + Record(31, 1));
  ExpectRecord(Edge(30), Pattern(30), 1);
  EXPECT_EQ(Edge(31)[0], 0);

  // A CR as the very last byte: nothing after it is read.
  Parse("40,1,2,3,4,5,6,7,8,9,10\r");
  ExpectRecord(Edge(40), Pattern(40), 1);
}

TEST_F(EvalTableParseTest, ALaterRecordOverwritesAnEarlierOne) {
  Parse(Record(50, 1) + Record(50, -5));
  ExpectRecord(Edge(50), Pattern(50), -5);
}

TEST_F(EvalTableParseTest, SkipsRecordsWhoseIndexIsNotALineIndex) {
  Parse(Record(6561, 1) + Record(-1, 1) + Record(99999, 1) + "4294967296" + Record(0, 1).substr(1) +
        Record(60, 7));
  ExpectRecord(Edge(60), Pattern(60), 7);
  for (int i = 0; i < kLineConfigurations; ++i) {
    if (i != 60) {
      ASSERT_EQ(Edge(i)[0], 0) << "index " << i;
    }
  }
}

TEST_F(EvalTableParseTest, TheIndexIsCutTowardZeroAndANonNumberReadsZero) {
  Parse("-0.9" + Record(0, 3).substr(1) + "abc" + Record(0, 5).substr(1) + "6560.7" +
        Record(0, 9).substr(1));
  ExpectRecord(Edge(0), Pattern(0), 5);
  ExpectRecord(Edge(6560), Pattern(6560), 9);
}

TEST_F(EvalTableParseTest, CutsOverlongFieldsWithoutLosingTheRecordAlignment) {
  // Only the first 254 bytes of a field count: here blanks, so the number is 0.
  const std::string longBlank = std::string(300, ' ') + "5";
  const std::string longNumber = "7" + std::string(400, ' ');
  const std::string justFits = std::string(253, ' ') + "6";
  Parse("70," + longBlank + "," + longNumber + "," + justFits + ",4,5,6,7,8,9,10\r\n" +
        Record(71, 1));
  EXPECT_EQ(Edge(70)[0], 0);
  EXPECT_EQ(Edge(70)[1], 7);
  EXPECT_EQ(Edge(70)[2], 6);
  EXPECT_EQ(Edge(70)[3], 4);
  ExpectRecord(Edge(71), Pattern(71), 1);
}

TEST_F(EvalTableParseTest, EmptyDataStoresNothing) {
  Parse("");
  Parse("\r\n");  // one empty record field, then the end: cut short
  for (int i = 0; i < kLineConfigurations; ++i) {
    for (int c = 0; c < 8; ++c) ASSERT_EQ(Edge(i)[c], 0);
    ASSERT_EQ(Pattern(i)[0] | Pattern(i)[1], 0);
  }
  EXPECT_TRUE(progress_.empty());
}

TEST_F(EvalTableParseTest, ProgressStartsAtIndex66AndCountsEachPercentOnce) {
  Parse(AscendingRecords(65));
  EXPECT_TRUE(progress_.empty());
  Parse(AscendingRecords(66));
  EXPECT_EQ(progress_, std::vector<int>{1});
  progress_.clear();
  Parse(AscendingRecords(6560));
  ASSERT_EQ(progress_.size(), 100u);
  for (int p = 1; p <= 100; ++p) EXPECT_EQ(progress_[p - 1], p);
}

TEST_F(EvalTableParseTest, IndexZeroPrintsNoProgressAndTheLastIndexPrints100) {
  Parse(Record(0, 0));
  EXPECT_TRUE(progress_.empty());
  Parse(Record(6560, 0) + Record(0, 0) + Record(3280, 0));
  EXPECT_EQ(progress_, (std::vector<int>{100, 50}));
}

TEST_F(EvalTableParseTest, SkippedRecordsShowNoProgress) {
  Parse(Record(7000, 0) + Record(66, 0) + Record(6561, 0) + Record(66, 0));
  EXPECT_EQ(progress_, std::vector<int>{1});
}

}  // namespace
}  // namespace kerna
