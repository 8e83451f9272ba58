// Screen resolution of windows. The program is per-monitor DPI aware: every size is given at
// 96 dots per inch and scaled to the resolution of the monitor the window is on.
#pragma once

#include <windows.h>

namespace framora {

inline constexpr UINT kDesignDpi = 96;

// The window's dots per inch (GetDpiForWindow where the system has it, else the screen's).
UINT WindowDpi(HWND window);

// `value` at 96 dpi in pixels at `dpi`, rounded to the nearest pixel.
int ScaleForDpi(int value, UINT dpi);

// Outer size of a window whose client area is `clientWidth` x `clientHeight` at `dpi`.
SIZE WindowSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle,
                         bool hasMenu, UINT dpi);

// The system's small-icon size (menus) at `dpi`.
int SmallIconSize(UINT dpi);

}  // namespace framora
