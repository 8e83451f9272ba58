// Width and height of a JPG, PNG or BMP file, read from its header, so the tests can check
// that the tool wrote real images of the video's size.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>

namespace framora::test {

using Size = std::pair<int, int>;

inline std::optional<Size> ImageSize(const std::string& b) {
  auto u8 = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(b[i])); };
  auto be16 = [&](std::size_t i) { return static_cast<int>(u8(i) << 8 | u8(i + 1)); };
  auto be32 = [&](std::size_t i) { return static_cast<int>(u8(i) << 24 | u8(i + 1) << 16 | u8(i + 2) << 8 | u8(i + 3)); };
  auto le32 = [&](std::size_t i) { return static_cast<std::int32_t>(u8(i) | u8(i + 1) << 8 | u8(i + 2) << 16 | u8(i + 3) << 24); };
  if (b.size() >= 24 && b.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0) return Size{be32(16), be32(20)};
  if (b.size() >= 26 && b.compare(0, 2, "BM") == 0) {
    const std::int32_t height = le32(22);
    return Size{le32(18), height < 0 ? -height : height};
  }
  if (b.size() >= 4 && u8(0) == 0xFF && u8(1) == 0xD8) {
    // Walk the JPEG segments up to a start-of-frame marker.
    std::size_t i = 2;
    while (i + 9 < b.size() && u8(i) == 0xFF) {
      const std::uint32_t marker = u8(i + 1);
      const bool sof = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 &&
                       marker != 0xCC;
      if (sof) return Size{be16(i + 7), be16(i + 5)};
      i += 2 + static_cast<std::size_t>(be16(i + 2));
    }
  }
  return std::nullopt;
}

inline std::optional<Size> ImageFileSize(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return ImageSize(bytes);
}

}  // namespace framora::test
