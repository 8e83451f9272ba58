#include "main/video_list.h"

#include <algorithm>
#include <array>

#include "base/text.h"

namespace framora {

void AddVideo(VideoListWindow& window, const std::wstring& isim) {
  const std::vector<std::wstring> listed = window.ListedVideos();
  if (std::find(listed.begin(), listed.end(), isim) != listed.end()) return;
  const std::wstring seconds = window.VideoKacSaniye(isim);
  window.AppendVideoRow(isim, seconds);
  window.VideoSayisiDegisti();
}

std::wstring VideoCountText(std::size_t count) {
  return std::to_wstring(count) + (count < 2 ? L" file" : L" files");
}

bool HasVideoExtension(std::wstring_view path) {
  static constexpr std::array<std::wstring_view, 9> kExtensions = {
      L".mp4", L".mpg", L".mpeg", L".avi", L".mov", L".mkv", L".wmv", L".webm", L".f4v"};
  const auto nameStart = path.find_last_of(L"\\/:");
  const std::wstring_view name =
      nameStart == std::wstring_view::npos ? path : path.substr(nameStart + 1);
  const auto dot = name.rfind(L'.');
  if (dot == std::wstring_view::npos) return false;
  const std::wstring extension = AsciiLower(name.substr(dot));
  return std::find(kExtensions.begin(), kExtensions.end(), extension) != kExtensions.end();
}

}  // namespace framora
