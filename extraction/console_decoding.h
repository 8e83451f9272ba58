// Cutting console output into whole characters. Tools write bytes in the system's ANSI code
// page and the pipe hands them over in reads of any length, so one character can arrive in
// two reads. Decoding each read on its own would turn both halves into garbage; instead an
// unfinished character waits for the read that completes it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace framora {

// How a code page builds characters from bytes, as the system describes it.
struct CodePageLayout {
  enum class Kind {
    SingleByte,  // every byte is a character
    DoubleByte,  // a lead byte and the byte after it form one character (932, 936, 949, 950)
    Utf8,        // the ANSI code page is 65001
  };
  Kind Type = Kind::SingleByte;
  // DoubleByte only: the lead bytes, as inclusive ranges (first, last).
  std::vector<std::pair<unsigned char, unsigned char>> LeadByteRanges;
};

// How many leading bytes of `bytes` form whole characters. The bytes after that count begin a
// character that is not finished yet. Bytes that are not valid in the code page count as
// whole: holding them back would not make them valid.
std::size_t CompleteCharacterBytes(std::string_view bytes, const CodePageLayout& layout);

// Turns the reads of one command's output into runs of bytes that end on a character
// boundary, ready to be decoded. A zero byte ends the text of the read it came in: the zero
// and whatever follows it in that read are dropped, and the bytes before it are passed on as
// they are, even when the zero cut a character short.
class ConsoleOutputAssembler {
 public:
  explicit ConsoleOutputAssembler(CodePageLayout layout) : layout_(std::move(layout)) {}

  // One read's bytes. Returns what can be decoded now; valid until the next call.
  std::string_view Take(std::string_view read);

  // At the end of the output: a character that never got finished, passed on as it is so
  // that nothing is lost silently. Empty when the output ended on a boundary.
  std::string_view Finish();

 private:
  CodePageLayout layout_;
  std::string pending_;  // the start of an unfinished character from earlier reads
  std::string ready_;    // the bytes handed out by the last call
};

}  // namespace framora
