// Properties every INI image must keep, shared by the seeded random test and the fuzz
// target: whatever the reader makes of any bytes, writing it and reading it back gives
// the same image, and writing that gives the same bytes.
#pragma once

#include <string>
#include <string_view>

#include "main/settings_ini.h"

namespace framora::test {

// Empty when the property holds, else what broke.
inline std::string CheckRoundTrip(const IniFile& image) {
  const std::string bytes = image.ToUtf8();
  const auto reread = IniFile::FromUtf8(bytes);
  if (!reread) return "written bytes are not UTF-8";
  if (!(*reread == image)) return "reading the written bytes gives another image";
  if (reread->ToUtf8() != bytes) return "writing again gives other bytes";
  return {};
}

// Reads `bytes` as the settings store would: as UTF-8 when they are, else byte for byte
// as a single-byte code page (here Latin-1). Reads a few keys too, which must not fail.
inline std::string CheckReaderOn(std::string_view bytes) {
  auto image = IniFile::FromUtf8(bytes);
  if (!image) {
    std::wstring widened;
    for (char c : SkipUtf8Bom(bytes)) widened.push_back(static_cast<unsigned char>(c));
    image = IniFile::Parse(widened);
  }
  (void)image->ReadInteger(L"Settings", L"Duration", 1000);
  (void)image->ReadString(L"settings", L"", L"");
  return CheckRoundTrip(*image);
}

}  // namespace framora::test
