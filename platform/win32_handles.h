// One owner type for every Win32 handle the program makes: fonts, bitmaps,
// regions, image lists, menus, accelerator tables, DCs, files and global
// atoms. Movable, not copyable; the handle is freed once, by its traits, on
// every path out of the owner's scope. Win32 only, header-only: a trait's
// call is only linked where that owner is used.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace kdw {

template <typename Handle, typename Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : h_(h) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : h_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  [[nodiscard]] Handle get() const { return h_; }
  explicit operator bool() const { return Traits::Valid(h_); }
  // Hands the handle over to whoever frees it now (a window, a caller).
  [[nodiscard]] Handle release() { return std::exchange(h_, Traits::Invalid()); }
  void reset(Handle h = Traits::Invalid()) {
    // Taking the handle already held must not free it under its new owner.
    if (h == h_) return;
    if (Traits::Valid(h_)) Traits::Close(h_);
    h_ = h;
  }

 private:
  Handle h_ = Traits::Invalid();
};

// The handles whose "none" is null.
template <typename Handle>
struct NullIsNone {
  static Handle Invalid() { return nullptr; }
  static bool Valid(Handle h) { return h != nullptr; }
};

template <typename Handle>
struct GdiObjectTraits : NullIsNone<Handle> {
  static void Close(Handle h) { DeleteObject(h); }
};
struct MemoryDcTraits : NullIsNone<HDC> {
  static void Close(HDC h) { DeleteDC(h); }
};
// GetDC(nullptr): the screen's DC, given back rather than deleted.
struct ScreenDcTraits : NullIsNone<HDC> {
  static void Close(HDC h) { ReleaseDC(nullptr, h); }
};
struct ImageListTraits : NullIsNone<HIMAGELIST> {
  static void Close(HIMAGELIST h) { ImageList_Destroy(h); }
};
struct MenuTraits : NullIsNone<HMENU> {
  static void Close(HMENU h) { DestroyMenu(h); }
};
struct AcceleratorTraits : NullIsNone<HACCEL> {
  static void Close(HACCEL h) { DestroyAcceleratorTable(h); }
};
// CreateFile answers INVALID_HANDLE_VALUE on failure, other calls null.
struct FileTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static bool Valid(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
// One reference to a global atom; the table keeps the name while any is held.
struct GlobalAtomTraits {
  static ATOM Invalid() { return 0; }
  static bool Valid(ATOM a) { return a != 0; }
  static void Close(ATOM a) { GlobalDeleteAtom(a); }
};

using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits<HFONT>>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits<HBITMAP>>;
using UniqueRegion = UniqueHandle<HRGN, GdiObjectTraits<HRGN>>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcTraits>;
using UniqueScreenDc = UniqueHandle<HDC, ScreenDcTraits>;
using UniqueImageList = UniqueHandle<HIMAGELIST, ImageListTraits>;
using UniqueMenu = UniqueHandle<HMENU, MenuTraits>;
using UniqueAccelerators = UniqueHandle<HACCEL, AcceleratorTraits>;
using UniqueFile = UniqueHandle<HANDLE, FileTraits>;
using UniqueGlobalAtom = UniqueHandle<ATOM, GlobalAtomTraits>;

// Selects an object into a DC for a scope and puts the previous one back.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;
  ~ScopedSelect() {
    if (ok()) SelectObject(dc_, old_);
  }
  bool ok() const { return old_ != nullptr && old_ != HGDI_ERROR; }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace kdw
