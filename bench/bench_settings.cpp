// The settings store: what one all-or-nothing flush of a typical settings.ini costs (new
// file, written through to the disk, renamed over the old one) next to overwriting the
// same bytes in place. The window flushes at every keystroke in two of its boxes.
#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/unique_handle_win.h"
#include "bench/bench.h"
#include "main/settings.h"
#include "main/settings_store_win.h"

namespace framora::bench {
namespace {

constexpr int kFlushes = 1000;

// The seven settings and two sections the program does not know.
void FillTypicalSettings(IniFile& ini) {
  WriteTextSetting(ini, setting::Destination, L"C:\\Users\\Someone\\Desktop\\Output");
  WriteIntegerSetting(ini, setting::Duration, 1000);
  WriteSwitchSetting(ini, setting::InputSeeking, true);
  WriteSwitchSetting(ini, setting::RoundImageDuration, true);
  WriteSwitchSetting(ini, setting::PadOutputFileswithLeadingZeros, false);
  WriteFormatSetting(ini, ImageFormat::JPG);
  WriteIntegerSetting(ini, setting::JpegQuality, 2);
  ini.WriteString(L"Window", L"Left", L"120");
  ini.WriteString(L"Window", L"Top", L"80");
  ini.WriteString(L"Recent", L"Folder1", L"D:\\Videos\\Holidays 2024");
}

// The baseline: the same bytes written over the file with one CreateFileW and WriteFile.
void PlainWrite(const std::wstring& path, const std::string& bytes) {
  unique_handle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (!file || !::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                            nullptr)) {
    throw std::runtime_error("the plain write failed");
  }
}

double MedianMicroseconds(std::vector<double> seconds) {
  std::nth_element(seconds.begin(), seconds.begin() + seconds.size() / 2, seconds.end());
  return seconds[seconds.size() / 2] * 1e6;
}

}  // namespace

void SettingsBenchmarks() {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring folder =
      std::wstring(temp) + L"framora-bench-settings-" + std::to_wstring(::GetCurrentProcessId());
  if (!::CreateDirectoryW(folder.c_str(), nullptr)) {
    throw std::runtime_error("cannot create the benchmark folder");
  }
  const std::wstring flushed = folder + L"\\settings.ini";
  const std::wstring plain = folder + L"\\plain.ini";

  SettingsFile settings(flushed);
  FillTypicalSettings(settings.Image());
  const std::string bytes = settings.Image().ToUtf8();
  settings.Flush();
  PlainWrite(plain, bytes);

  // Interleaved, so that both see the same state of the disk and its caches.
  std::vector<double> flushes, plainWrites;
  for (int i = 0; i < kFlushes; ++i) {
    flushes.push_back(Seconds([&] { settings.Flush(); }));
    plainWrites.push_back(Seconds([&] { PlainWrite(plain, bytes); }));
  }
  ::DeleteFileW(flushed.c_str());
  ::DeleteFileW(plain.c_str());
  ::RemoveDirectoryW(folder.c_str());

  const double flushUs = MedianMicroseconds(flushes);
  const double plainUs = MedianMicroseconds(plainWrites);
  Report("settings.file_bytes", static_cast<double>(bytes.size()), "bytes");
  Report("settings.flush_median_us", flushUs, "us");
  Report("settings.plain_write_median_us", plainUs, "us");
  Report("settings.flush_ratio", flushUs / plainUs);
}

}  // namespace framora::bench
