// Pictures of the main window for the documentation: the window of a first start, then the
// same window with three videos listed. scripts/render-main-window.sh runs it under Xvfb and
// turns the two 24-bit BMP files it writes into PNG.
//
//   main_window_shot <first-start.bmp> <with-videos.bmp> <folder of the test videos>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/files_win.h"
#include "base/unique_handle_win.h"
#include "main/app_form_win.h"
#include "support/recording_services_win.h"
#include "support/temp_folder_win.h"

namespace framora {
namespace {

// The screen's device context, released again on every path.
struct ScreenDc {
  ScreenDc() = default;
  ~ScreenDc() { ::ReleaseDC(nullptr, dc); }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC dc = ::GetDC(nullptr);
};
using unique_hdc = UniqueHandle<NullableHandleTraits<HDC, &::DeleteDC>>;

// Lets the window handle its messages for a while, so that everything is painted.
void Settle(HWND window) {
  ::RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const ULONGLONG end = ::GetTickCount64() + 1500;
  while (::GetTickCount64() < end) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    ::Sleep(20);
  }
}

// Copies the window's area of the screen, frame and menu included, into a 24-bit BMP file.
bool Capture(HWND window, const std::wstring& file) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  ScreenDc screen;
  unique_hdc memory(::CreateCompatibleDC(screen.dc));
  unique_hbitmap bitmap(::CreateCompatibleBitmap(screen.dc, width, height));
  const HGDIOBJ old = ::SelectObject(memory.get(), bitmap.get());
  const bool copied = ::BitBlt(memory.get(), 0, 0, width, height, screen.dc, rect.left, rect.top,
                               SRCCOPY | CAPTUREBLT) != FALSE;
  ::SelectObject(memory.get(), old);
  if (!copied)
    return false;

  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;  // bottom-up, as BMP files store it
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  std::string pixels(stride * static_cast<DWORD>(height), '\0');
  if (::GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height), pixels.data(),
                  reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) != height) {
    return false;
  }
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;  // "BM"
  header.bfOffBits = sizeof header + sizeof info;
  header.bfSize = header.bfOffBits + static_cast<DWORD>(pixels.size());
  std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
  bytes += pixels;
  test::WriteFile(file, bytes);
  return FileExists(file);
}

int Run(const std::wstring& firstStart, const std::wstring& withVideos, const std::wstring& media) {
  // A program folder of its own, so that the first start is a real one.
  test::TempFolder program;
  for (const wchar_t* name : {L"ffprobe.exe", L"ffmpeg.exe", L"font.ttf"}) {
    const std::wstring from = ProgramFolder() + L"\\" + name;
    const std::wstring to = program / name;
    if (!::CreateHardLinkW(to.c_str(), from.c_str(), nullptr) &&
        !::CopyFileW(from.c_str(), to.c_str(), FALSE)) {
      std::fwprintf(stderr, L"cannot put %ls into %ls\n", name, program.path().c_str());
      return 1;
    }
  }
  // The videos where a user might keep them, so that the list shows short paths.
  const std::wstring videos = L"C:\\Videos";
  ::CreateDirectoryW(videos.c_str(), nullptr);
  std::vector<std::wstring> listed;
  for (const wchar_t* name : {L"clip.mp4", L"short.mkv", L"damaged.mp4"}) {
    listed.push_back(videos + L"\\" + name);
    ::CopyFileW((media + L"\\" + name).c_str(), listed.back().c_str(), FALSE);
  }

  // Answers instead of the desktop, so an error report cannot stop the run with a dialog.
  test::RecordingServices services;
  TAppForm form(AppContext{program.path(), ExecutablePath(), &services});
  form.Show(SW_SHOWNORMAL);
  ::SetForegroundWindow(form.Handle());
  Settle(form.Handle());
  bool ok = Capture(form.Handle(), firstStart);

  for (const std::wstring& video : listed)
    form.Ekle(video);
  Settle(form.Handle());
  ok = Capture(form.Handle(), withVideos) && ok;

  for (const auto& message : services.messageBoxes) {
    std::fwprintf(stderr, L"%ls: %ls\n", message.caption.c_str(), message.text.c_str());
  }
  return ok && services.messageBoxes.empty() ? 0 : 1;
}

}  // namespace
}  // namespace framora

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    std::fwprintf(stderr,
                  L"usage: main_window_shot <first-start.bmp> <with-videos.bmp> <media folder>\n");
    return 2;
  }
  return framora::Run(argv[1], argv[2], argv[3]);
}
