#include "extraction/console_decoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace framora {
namespace {

using namespace std::string_literals;  // "...\0..."s keeps zero bytes

const CodePageLayout kSingleByte{};
// Shift-JIS (932) as the system reports it: lead bytes 81-9F and E0-FC; trail bytes 40-FC
// overlap the lead ranges.
const CodePageLayout kCp932{CodePageLayout::Kind::DoubleByte, {{0x81, 0x9F}, {0xE0, 0xFC}}};
const CodePageLayout kUtf8{CodePageLayout::Kind::Utf8, {}};

struct BoundaryCase {
  const char* name;
  const CodePageLayout* layout;
  std::string bytes;
  std::size_t whole;
};

TEST(CompleteCharacterBytes, StopsBeforeAnUnfinishedCharacter) {
  const BoundaryCase cases[] = {
      {"single byte never waits", &kSingleByte, "ab\xE9\x93", 4},
      {"empty", &kCp932, "", 0},
      {"ascii", &kCp932, "abc", 3},
      {"lead at the end", &kCp932, "a\x93", 1},
      {"whole double-byte character", &kCp932, "a\x93\xFA", 3},
      {"trail byte in the lead range", &kCp932, "\x93\x93", 2},
      {"lead after a lead-looking trail", &kCp932, "\x93\x93\x93", 2},
      // A backward look at the last bytes would call the last 93 a trail here.
      {"run of lead-looking bytes, odd", &kCp932, "\x93\x93\x93\x93\x93", 4},
      {"run of lead-looking bytes after ascii", &kCp932, "x\x93\x93\x93\x93", 5},
      {"lead of the upper range", &kCp932, "\x81\x40\xE0", 2},
      {"utf-8 ascii", &kUtf8, "abc", 3},
      {"utf-8 two-byte lead alone", &kUtf8, "A\xC3", 1},
      {"utf-8 two-byte whole", &kUtf8, "A\xC3\xA9", 3},
      {"utf-8 three-byte missing one", &kUtf8, "\xE2\x82", 0},
      {"utf-8 three-byte whole", &kUtf8, "\xE2\x82\xAC", 3},
      {"utf-8 four-byte missing one", &kUtf8, "x\xF0\x9F\x8E", 1},
      {"utf-8 four-byte whole", &kUtf8, "\xF0\x9F\x8E\x9E", 4},
      {"utf-8 stray continuation bytes", &kUtf8, "\x80\x80\x80\x80\x80", 5},
      {"utf-8 continuation after a whole character", &kUtf8, "\xC3\xA9\x80", 3},
      {"utf-8 byte that begins nothing", &kUtf8, "a\xC0", 2},
      {"utf-8 byte FF", &kUtf8, "a\xFF", 2},
  };
  for (const BoundaryCase& c : cases) {
    EXPECT_EQ(CompleteCharacterBytes(c.bytes, *c.layout), c.whole) << c.name;
  }
}

struct AssemblyCase {
  const char* name;
  const CodePageLayout* layout;
  std::vector<std::string> reads;
  std::vector<std::string> handedOut;  // one per read
  std::string finish;
};

TEST(ConsoleOutputAssembler, HandsOutWholeCharactersAndCutsAtZeroBytes) {
  const AssemblyCase cases[] = {
      {"character split between reads", &kCp932, {"x\x93", "\xFA!"}, {"x", "\x93\xFA!"}, ""},
      {"utf-8 character over three reads",
       &kUtf8,
       {"\xF0", "\x9F\x8E", "\x9E."},
       {"", "", "\xF0\x9F\x8E\x9E."},
       ""},
      {"single byte passes everything", &kSingleByte, {"a\xE9", "\x93"}, {"a\xE9", "\x93"}, ""},
      {"zero ends the read's text", &kSingleByte, {"AB\0C"s, "D"}, {"AB", "D"}, ""},
      {"zero at the start of a read", &kCp932, {"\0xyz"s, "A"}, {"", "A"}, ""},
      {"zero cuts a waiting character short",
       &kCp932,
       {"A\x93", "\0Z"s, "B"},
       {"A", "\x93", "B"},
       ""},
      {"dangling character at the end", &kCp932, {"A\x93"}, {"A"}, "\x93"},
      {"dangling utf-8 sequence at the end", &kUtf8, {"ok\xE2\x82"}, {"ok"}, "\xE2\x82"},
  };
  for (const AssemblyCase& c : cases) {
    ConsoleOutputAssembler assembler(*c.layout);
    ASSERT_EQ(c.reads.size(), c.handedOut.size()) << c.name;
    for (std::size_t i = 0; i < c.reads.size(); ++i) {
      EXPECT_EQ(assembler.Take(c.reads[i]), c.handedOut[i]) << c.name << ", read " << i;
    }
    EXPECT_EQ(assembler.Finish(), c.finish) << c.name;
    EXPECT_EQ(assembler.Finish(), "") << c.name << ": the rest is handed out once";
  }
}

}  // namespace
}  // namespace framora
