// Where the tests find their inputs. Portable: the Windows tests get Unix paths from CTest
// and see them through Wine's Z: drive.
#pragma once

#include <cstdlib>
#include <string>

namespace framora::test {

// A Unix path as Wine's Z: drive shows it; other paths are returned unchanged.
inline std::wstring WinePath(const std::string& path) {
  std::wstring out;
#ifdef _WIN32
  if (!path.empty() && path.front() == '/') out = L"Z:";
#endif
  for (char c : path) {
#ifdef _WIN32
    out.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c)));
#else
    out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
#endif
  }
  return out;
}

// The folder of the generated test videos (clip.mp4: 12.48 s, 160x120; short.mkv: 3 s,
// 96x64; damaged.mp4: not a video). Empty when the test was not given the media fixture.
inline std::wstring TestMediaFolder() {
  const char* folder = std::getenv("FRAMORA_TEST_MEDIA");
  return folder ? WinePath(folder) : std::wstring();
}

}  // namespace framora::test
