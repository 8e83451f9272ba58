#include "extraction/console_decoding.h"

#include <algorithm>

namespace framora {
namespace {

unsigned char Byte(char c) {
  return static_cast<unsigned char>(c);
}

bool IsLeadByte(unsigned char b, const CodePageLayout& layout) {
  return std::any_of(layout.LeadByteRanges.begin(), layout.LeadByteRanges.end(),
                     [b](const auto& range) { return b >= range.first && b <= range.second; });
}

std::size_t CompleteDoubleByte(std::string_view bytes, const CodePageLayout& layout) {
  // Trail bytes overlap the lead-byte ranges, so only a walk from a known boundary (the
  // start) tells which byte is a lead.
  std::size_t i = 0;
  while (i < bytes.size()) {
    if (!IsLeadByte(Byte(bytes[i]), layout)) {
      ++i;
    } else if (i + 1 == bytes.size()) {
      return i;
    } else {
      i += 2;
    }
  }
  return bytes.size();
}

// Length of the UTF-8 sequence that `lead` begins; 1 for ASCII and for bytes that can begin
// no valid sequence.
std::size_t Utf8SequenceLength(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF)
    return 2;
  if (lead >= 0xE0 && lead <= 0xEF)
    return 3;
  if (lead >= 0xF0 && lead <= 0xF4)
    return 4;
  return 1;
}

std::size_t CompleteUtf8(std::string_view bytes) {
  // UTF-8 is self-synchronising: only the last sequence can be unfinished, and its lead byte
  // is among the last four bytes.
  const std::size_t size = bytes.size();
  for (std::size_t back = 1; back <= 4 && back <= size; ++back) {
    const unsigned char b = Byte(bytes[size - back]);
    if ((b & 0xC0) == 0x80)
      continue;  // a continuation byte: the lead is further back
    return Utf8SequenceLength(b) > back ? size - back : size;
  }
  return size;  // only continuation bytes at the end: stray, nothing to wait for
}

}  // namespace

std::size_t CompleteCharacterBytes(std::string_view bytes, const CodePageLayout& layout) {
  switch (layout.Type) {
    case CodePageLayout::Kind::DoubleByte:
      return CompleteDoubleByte(bytes, layout);
    case CodePageLayout::Kind::Utf8:
      return CompleteUtf8(bytes);
    case CodePageLayout::Kind::SingleByte:
      break;
  }
  return bytes.size();
}

std::string_view ConsoleOutputAssembler::Take(std::string_view read) {
  ready_.assign(pending_);
  pending_.clear();
  const auto zero = read.find('\0');
  if (zero != std::string_view::npos) {
    // The zero ends this read's text; what it cut short can never be completed.
    ready_.append(read.substr(0, zero));
    return ready_;
  }
  ready_.append(read);
  const std::size_t whole = CompleteCharacterBytes(ready_, layout_);
  pending_.assign(ready_, whole);
  ready_.resize(whole);
  return ready_;
}

std::string_view ConsoleOutputAssembler::Finish() {
  ready_.swap(pending_);
  pending_.clear();
  return ready_;
}

}  // namespace framora
