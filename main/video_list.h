// The video list: which paths come in, the duplicate rule and the count text. The list's
// rows live in the window; the window lends them through VideoListWindow.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace framora {

// What adding a video needs from the main window. TAppForm implements it; tests use a fake.
class VideoListWindow {
 public:
  virtual ~VideoListWindow() = default;
  // Captions ("Video File") of the rows, top to bottom.
  virtual std::vector<std::wstring> ListedVideos() const = 0;
  // Appends a row at the bottom with the video-file icon.
  virtual void AppendVideoRow(const std::wstring& path, const std::wstring& seconds) = 0;
  // The duration probe: the text for the "Seconds" cell.
  virtual std::wstring VideoKacSaniye(const std::wstring& dosyaadi) = 0;
  // Rewrites the count text of the status bar.
  virtual void VideoSayisiDegisti() = 0;
};

// Adds the video unless a row's caption equals the path exactly (letter case included):
// probes it, appends the row and refreshes the count. A listed path changes nothing.
void AddVideo(VideoListWindow& window, const std::wstring& isim);

// "0 file", "1 file", "2 files".
std::wstring VideoCountText(std::size_t count);

// True for the nine video extensions (.mp4 .mpg .mpeg .avi .mov .mkv .wmv .webm .f4v), in any
// letter case. The extension runs from the last full stop of the name part to its end.
bool HasVideoExtension(std::wstring_view path);

// The filter text of the "Add Files" dialog, "|"-separated.
inline constexpr std::wstring_view kAddFilesFilter =
    L"Video Files|*.mp4;*.mpg;*.mpeg;*.avi;*.mov;*.mkv;*.wmv;*.webm;*.f4v|All Files|*.*";

}  // namespace framora
