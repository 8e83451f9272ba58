// The pictures in the executable's icon resources, read back the way the window and the
// shell read them: the icon directory each group carries, and the icons user32 and comctl32
// make from it at every size the window asks for from 96 to 192 DPI.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "base/unique_handle_win.h"
#include "resources/resource_ids.h"

namespace framora {
namespace {

struct Picture {
  int id;
  const char* name;
  std::vector<int> sizes;  // every size stored in the icon, smallest first
};

const std::vector<int> kAppSizes = {16, 20, 24, 32, 40, 48, 64, 256};
const std::vector<int> kToolbarSizes = {16, 20, 24, 32, 40, 48, 64, 80, 96, 128};
const std::vector<int> kSmallSizes = {16, 20, 24, 32, 40, 48};

const std::vector<Picture>& Pictures() {
  static const std::vector<Picture> pictures = {
      {IDI_APP, "app", kAppSizes},
      {IDI_ADD_FILES, "add-files", kToolbarSizes},
      {IDI_FEEDBACK, "feedback", kToolbarSizes},
      {IDI_ABOUT, "about", kToolbarSizes},
      {IDI_HELP, "help", kToolbarSizes},
      {IDI_FOLDER, "folder", kSmallSizes},
      {IDI_FILE_VIDEO, "file-video", kSmallSizes},
      {IDI_EXIT, "exit", kSmallSizes},
      {IDI_RESET, "reset", kSmallSizes},
  };
  return pictures;
}

// One entry of an RT_GROUP_ICON directory (GRPICONDIRENTRY, 14 bytes, no padding).
struct GroupEntry {
  int width = 0;
  int height = 0;
  int bit_count = 0;
  WORD icon_id = 0;
};

std::vector<BYTE> ResourceBytes(LPCWSTR name, LPCWSTR type) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, name, type);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const auto* data = static_cast<const BYTE*>(LockResource(loaded));
  if (!data) return {};
  return std::vector<BYTE>(data, data + SizeofResource(module, found));
}

std::vector<GroupEntry> GroupEntries(int group_id) {
  std::vector<BYTE> dir = ResourceBytes(MAKEINTRESOURCEW(group_id), RT_GROUP_ICON);
  std::vector<GroupEntry> entries;
  if (dir.size() < 6) return entries;
  WORD count = 0;
  std::memcpy(&count, dir.data() + 4, sizeof count);
  for (size_t i = 0; i < count && 6 + (i + 1) * 14 <= dir.size(); ++i) {
    const BYTE* raw = dir.data() + 6 + i * 14;
    GroupEntry entry;
    // A stored 0 stands for 256.
    entry.width = raw[0] == 0 ? 256 : raw[0];
    entry.height = raw[1] == 0 ? 256 : raw[1];
    WORD bit_count = 0;
    std::memcpy(&bit_count, raw + 6, sizeof bit_count);
    entry.bit_count = bit_count;
    std::memcpy(&entry.icon_id, raw + 12, sizeof entry.icon_id);
    entries.push_back(entry);
  }
  return entries;
}

// LoadIconWithScaleDown lives in comctl32 version 6 only, which the manifest selects; the
// MinGW import library does not list it, so it is looked up by name as the window does.
using LoadIconWithScaleDownFunction = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);

LoadIconWithScaleDownFunction FindLoadIconWithScaleDown(HMODULE comctl32) {
  FARPROC proc = GetProcAddress(comctl32, "LoadIconWithScaleDown");
  // Through the generic function pointer type, which converts to any other.
  return reinterpret_cast<LoadIconWithScaleDownFunction>(reinterpret_cast<void (*)()>(proc));
}

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR out) {
  reinterpret_cast<std::vector<ULONG_PTR>*>(out)->push_back(reinterpret_cast<ULONG_PTR>(name));
  return TRUE;
}

// The pixels of a loaded icon as top-down 32-bit BGRA, and its mask (non-zero: transparent).
struct IconImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> color;
  std::vector<std::uint32_t> mask;

  std::uint32_t Alpha(int x, int y) const { return color[y * width + x] >> 24; }
  bool MaskOpaque(int x, int y) const { return (mask[y * width + x] & 0xFFFFFF) == 0; }
};

std::vector<std::uint32_t> ReadBits(HDC dc, HBITMAP bitmap, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> bits(static_cast<size_t>(width) * height);
  if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), bits.data(), &info, DIB_RGB_COLORS) !=
      height) {
    bits.clear();
  }
  return bits;
}

IconImage ReadIcon(HICON icon) {
  IconImage image;
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return image;
  unique_hbitmap color(info.hbmColor);
  unique_hbitmap mask(info.hbmMask);
  BITMAP bm{};
  if (!color || !GetObjectW(color.get(), sizeof bm, &bm)) return image;
  HDC screen = GetDC(nullptr);
  image.width = bm.bmWidth;
  image.height = bm.bmHeight;
  image.color = ReadBits(screen, color.get(), bm.bmWidth, bm.bmHeight);
  image.mask = ReadBits(screen, mask.get(), bm.bmWidth, bm.bmHeight);
  ReleaseDC(nullptr, screen);
  return image;
}

// Explorer, the taskbar and the window's title bar take the first icon group of the
// executable; that must be the program's own icon, not a toolbar picture.
TEST(ArtResourcesTest, AppIconIsTheFirstIconGroup) {
  std::vector<ULONG_PTR> names;
  ASSERT_TRUE(EnumResourceNamesW(GetModuleHandleW(nullptr), RT_GROUP_ICON, CollectName,
                                 reinterpret_cast<LONG_PTR>(&names)));
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(names.front(), static_cast<ULONG_PTR>(IDI_APP));
  EXPECT_EQ(names.size(), Pictures().size());
}

// Each icon stores exactly its sizes, none scaled at run time from a neighbour; up to 128
// pixels as 32-bit bitmaps with alpha, which every Windows version and Wine decode; only the
// 256-pixel application icon is a PNG.
TEST(ArtResourcesTest, IconsStoreEverySizeAsAnAlphaBitmap) {
  for (const Picture& picture : Pictures()) {
    SCOPED_TRACE(picture.name);
    std::vector<GroupEntry> entries = GroupEntries(picture.id);
    std::vector<int> sizes;
    for (const GroupEntry& entry : entries) {
      SCOPED_TRACE(entry.width);
      sizes.push_back(entry.width);
      EXPECT_EQ(entry.height, entry.width);
      EXPECT_EQ(entry.bit_count, 32);
      std::vector<BYTE> image = ResourceBytes(MAKEINTRESOURCEW(entry.icon_id), RT_ICON);
      ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
      if (entry.width == 256) {
        EXPECT_EQ(0, std::memcmp(image.data(), "\x89PNG\r\n\x1a\n", 8));
        continue;
      }
      BITMAPINFOHEADER header{};
      std::memcpy(&header, image.data(), sizeof header);
      EXPECT_EQ(header.biSize, sizeof header);
      EXPECT_EQ(header.biWidth, entry.width);
      EXPECT_EQ(header.biHeight, 2 * entry.width);  // colour and mask rows
      EXPECT_EQ(header.biBitCount, 32);
      EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    }
    EXPECT_EQ(sizes, picture.sizes);
  }
}

// What the window does: LoadIconWithScaleDown at the size of the control at the monitor's
// DPI. The result must have that size, a transparent background and solid ink in the middle
// (a lost alpha channel shows as a black or white square; a broken entry as nothing).
TEST(ArtResourcesTest, IconsLoadWithScaleDownAtEverySize) {
  unique_module comctl32(LoadLibraryW(L"comctl32.dll"));
  ASSERT_TRUE(comctl32);
  LoadIconWithScaleDownFunction load_icon = FindLoadIconWithScaleDown(comctl32.get());
  ASSERT_NE(load_icon, nullptr);
  for (const Picture& picture : Pictures()) {
    SCOPED_TRACE(picture.name);
    for (int size : picture.sizes) {
      SCOPED_TRACE(size);
      unique_hicon icon;
      ASSERT_EQ(load_icon(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(picture.id), size, size,
                          icon.put()),
                S_OK);
      ASSERT_TRUE(icon);
      IconImage image = ReadIcon(icon.get());
      ASSERT_EQ(image.width, size);
      ASSERT_EQ(image.height, size);
      ASSERT_EQ(image.color.size(), static_cast<size_t>(size) * size);
      ASSERT_EQ(image.mask.size(), static_cast<size_t>(size) * size);

      int opaque_in_middle = 0;
      for (int y = size / 4; y < size - size / 4; ++y) {
        for (int x = size / 4; x < size - size / 4; ++x) {
          if (image.Alpha(x, y) == 255 && image.MaskOpaque(x, y)) ++opaque_in_middle;
        }
      }
      EXPECT_GE(opaque_in_middle, size * size / 32);  // an eighth of the middle square

      int transparent = 0;
      for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
          if (image.Alpha(x, y) == 0 && !image.MaskOpaque(x, y)) ++transparent;
        }
      }
      EXPECT_GT(transparent, 0);
    }
  }
}

}  // namespace
}  // namespace framora
