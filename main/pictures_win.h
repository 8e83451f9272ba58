// The program's pictures at the size a resolution needs: icons from the resources, image
// lists for the toolbar and the list, bitmaps for menu items.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <initializer_list>

#include "base/unique_handle_win.h"

namespace framora {

using unique_himagelist = UniqueHandle<NullableHandleTraits<HIMAGELIST, &::ImageList_Destroy>>;

// Icon resource `id` of `instance` drawn at size x size: scaled down from a larger image
// where the file has no exact size (LoadIconWithScaleDown), else the closest one stretched.
unique_hicon LoadIconAtSize(HINSTANCE instance, int id, int size);

// An image list of size x size pictures holding the icons `ids`, in that order.
unique_himagelist LoadImageList(HINSTANCE instance, std::initializer_list<int> ids, int size);

// A 32-bit bitmap with premultiplied alpha, as menu items draw it beside their captions.
unique_hbitmap MenuBitmap(HINSTANCE instance, int id, int size);

}  // namespace framora
