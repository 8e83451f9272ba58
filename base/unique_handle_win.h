// Move-only owners for Windows handles. Every HANDLE, HKEY, GDI object and module the
// program opens is held by one of these, so it is closed exactly once on every path.
#pragma once

#include <windows.h>

#include <utility>

namespace framora {

// Traits: `pointer` type, `invalid()` value, `valid(p)` test and `close(p)`.
template <typename Traits>
class UniqueHandle {
 public:
  using pointer = typename Traits::pointer;

  UniqueHandle() noexcept = default;
  explicit UniqueHandle(pointer value) noexcept : value_(value) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : value_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  pointer get() const noexcept { return value_; }
  explicit operator bool() const noexcept { return Traits::valid(value_); }

  pointer release() noexcept { return std::exchange(value_, Traits::invalid()); }
  void reset(pointer value = Traits::invalid()) noexcept {
    pointer old = std::exchange(value_, value);
    if (Traits::valid(old)) Traits::close(old);
  }
  // For out-parameters of API calls: closes what is held and hands out the slot.
  pointer* put() noexcept {
    reset();
    return &value_;
  }

 private:
  pointer value_ = Traits::invalid();
};

// Kernel objects: processes, threads, pipes, files, mutexes. Both null and
// INVALID_HANDLE_VALUE mean "nothing held", since APIs use either to report failure.
struct KernelHandleTraits {
  using pointer = HANDLE;
  static pointer invalid() noexcept { return nullptr; }
  static bool valid(pointer h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void close(pointer h) noexcept { ::CloseHandle(h); }
};
using unique_handle = UniqueHandle<KernelHandleTraits>;

// Handles that are null when empty and closed by one function: `Close` is that function.
template <typename T, auto Close>
struct NullableHandleTraits {
  using pointer = T;
  static pointer invalid() noexcept { return nullptr; }
  static bool valid(pointer h) noexcept { return h != nullptr; }
  static void close(pointer h) noexcept { Close(h); }
};

using unique_module = UniqueHandle<NullableHandleTraits<HMODULE, &::FreeLibrary>>;
using unique_hkey = UniqueHandle<NullableHandleTraits<HKEY, &::RegCloseKey>>;
using unique_hicon = UniqueHandle<NullableHandleTraits<HICON, &::DestroyIcon>>;
using unique_hmenu = UniqueHandle<NullableHandleTraits<HMENU, &::DestroyMenu>>;
using unique_haccel = UniqueHandle<NullableHandleTraits<HACCEL, &::DestroyAcceleratorTable>>;

// GDI objects (fonts, bitmaps, brushes) are all freed by DeleteObject.
template <typename T>
using unique_gdi = UniqueHandle<NullableHandleTraits<T, &::DeleteObject>>;
using unique_hfont = unique_gdi<HFONT>;
using unique_hbitmap = unique_gdi<HBITMAP>;
using unique_hbrush = unique_gdi<HBRUSH>;

}  // namespace framora
