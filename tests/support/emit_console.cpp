// emit_console.exe: a console tool whose output the tests and benchmarks choose exactly.
// Each argument is one action, done in order:
//   out:<hex>   write these bytes to standard output
//   err:<hex>   write these bytes to standard error
//   sleep:<ms>  pause
//   mb:<n>      write n MiB (n * 1048576 bytes) of 64-byte ASCII lines to standard output
//   exit:<code> the exit code once all actions are done (default 0)
// Writes go straight to the handles, unbuffered and untranslated, so every write reaches
// the pipe on its own and in order. A malformed argument exits with code 100.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr int kBadArgument = 100;

bool WriteAll(HANDLE handle, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

bool DecodeHex(std::string_view hex, std::string& bytes) {
  if (hex.size() % 2 != 0)
    return false;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    const int high = HexDigit(hex[i]);
    const int low = HexDigit(hex[i + 1]);
    if (high < 0 || low < 0)
      return false;
    bytes.push_back(static_cast<char>(high * 16 + low));
  }
  return true;
}

bool DecodeNumber(std::string_view text, unsigned long& value) {
  if (text.empty() || text.size() > 9)
    return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9')
      return false;
    value = value * 10 + static_cast<unsigned long>(c - '0');
  }
  return true;
}

bool WriteMebibytes(unsigned long count) {
  // Text shaped like a tool's progress lines; 1024 lines make one 64 KiB block.
  constexpr std::string_view kLine =
      "frame=  125 fps=25 q=2.0 size=N/A time=00:00:05.00 speed=1.00x\r\n";
  static_assert(kLine.size() == 64);
  std::string block;
  for (int i = 0; i < 1024; ++i)
    block.append(kLine);
  const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
  for (unsigned long i = 0; i < count * 16; ++i) {
    if (!WriteAll(out, block))
      return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  unsigned long exitCode = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg(argv[i]);
    const auto colon = arg.find(':');
    const std::string_view action = arg.substr(0, colon);
    const std::string_view value = colon == std::string_view::npos ? "" : arg.substr(colon + 1);
    std::string bytes;
    unsigned long number = 0;
    bool ok = false;
    if (action == "out" || action == "err") {
      ok = DecodeHex(value, bytes) &&
           WriteAll(::GetStdHandle(action == "out" ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE), bytes);
    } else if (action == "sleep") {
      ok = DecodeNumber(value, number);
      if (ok)
        ::Sleep(static_cast<DWORD>(number));
    } else if (action == "mb") {
      ok = DecodeNumber(value, number) && WriteMebibytes(number);
    } else if (action == "exit") {
      ok = DecodeNumber(value, exitCode);
    }
    if (!ok) {
      std::fprintf(stderr, "emit_console: cannot do \"%s\"\n", argv[i]);
      return kBadArgument;
    }
  }
  return static_cast<int>(exitCode);
}
