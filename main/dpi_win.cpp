#include "main/dpi_win.h"

namespace framora {

namespace {

// Functions of Windows 10 looked up at run time, so the program still starts on the older
// systems its manifest names.
template <typename Function>
Function User32Function(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), name)));
}

UINT ScreenDpi() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
  ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

}  // namespace

UINT WindowDpi(HWND window) {
  static const auto getDpiForWindow = User32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  if (getDpiForWindow != nullptr && window != nullptr) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi != 0) return dpi;
  }
  return ScreenDpi();
}

int ScaleForDpi(int value, UINT dpi) {
  const long long scaled = static_cast<long long>(value) * dpi;
  const long long half = kDesignDpi / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kDesignDpi : (scaled - half) / kDesignDpi);
}

SIZE WindowSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle,
                         bool hasMenu, UINT dpi) {
  static const auto adjustForDpi =
      User32Function<BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  RECT rect{0, 0, clientWidth, clientHeight};
  if (adjustForDpi != nullptr) {
    adjustForDpi(&rect, style, hasMenu, exStyle, dpi);
  } else {
    ::AdjustWindowRectEx(&rect, style, hasMenu, exStyle);
  }
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

int SmallIconSize(UINT dpi) {
  static const auto metricsForDpi =
      User32Function<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
  if (metricsForDpi != nullptr) return metricsForDpi(SM_CXSMICON, dpi);
  return ScaleForDpi(16, dpi);
}

}  // namespace framora
