#include "main/pictures_win.h"

namespace framora {

unique_hicon LoadIconAtSize(HINSTANCE instance, int id, int size) {
  // comctl32 version 6 has it; MinGW's import library does not, so it is looked up.
  using LoadIconWithScaleDownFn = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
  static const auto loadWithScaleDown = reinterpret_cast<LoadIconWithScaleDownFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"comctl32.dll"),
                                               "LoadIconWithScaleDown")));
  HICON icon = nullptr;
  if (loadWithScaleDown != nullptr &&
      SUCCEEDED(loadWithScaleDown(instance, MAKEINTRESOURCEW(id), size, size, &icon))) {
    return unique_hicon(icon);
  }
  return unique_hicon(static_cast<HICON>(
      ::LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

unique_himagelist LoadImageList(HINSTANCE instance, std::initializer_list<int> ids, int size) {
  unique_himagelist list(::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK,
                                            static_cast<int>(ids.size()), 0));
  for (int id : ids) {
    const unique_hicon icon = LoadIconAtSize(instance, id, size);
    ::ImageList_AddIcon(list.get(), icon.get());  // the list keeps its own copy
  }
  return list;
}

unique_hbitmap MenuBitmap(HINSTANCE instance, int id, int size) {
  const unique_hicon icon = LoadIconAtSize(instance, id, size);
  if (!icon) return {};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = ::GetDC(nullptr);
  unique_hbitmap bitmap(::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  HDC dc = ::CreateCompatibleDC(screen);
  ::ReleaseDC(nullptr, screen);
  if (bitmap && dc != nullptr) {
    // DrawIconEx onto a zeroed 32-bit DIB leaves premultiplied ARGB, which menus blend.
    HGDIOBJ old = ::SelectObject(dc, bitmap.get());
    ::DrawIconEx(dc, 0, 0, icon.get(), size, size, 0, nullptr, DI_NORMAL);
    ::SelectObject(dc, old);
  }
  if (dc != nullptr) ::DeleteDC(dc);
  return bitmap;
}

}  // namespace framora
