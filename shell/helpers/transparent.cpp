#include "shell/helpers/transparent.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "shell/helpers/region_data.h"

namespace kdw {
namespace {

constexpr char kSaveSource[] = "TransForm";

// Region files are a few kilobytes; anything this large is not one.
constexpr DWORD kLargestRegionFile = 64u << 20;

// The program's file name without folder and extension.
std::string ProgramName() {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string name(path, n < MAX_PATH ? n : 0);
  const auto slash = name.find_last_of("\\/");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  const auto dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

std::string FileSource() { return ProgramName() + ".cDIBSectionRegion"; }

// An existing file that is not a folder.
bool FileExists(const std::string& file) {
  if (file.empty()) return false;
  const DWORD attributes = GetFileAttributesA(file.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

UniqueRegion RegionFromBytes(const std::vector<std::uint8_t>& bytes) {
  return UniqueRegion(ExtCreateRegion(nullptr, static_cast<DWORD>(bytes.size()),
                                      reinterpret_cast<const RGNDATA*>(bytes.data())));
}

}  // namespace

void clsTransparent::SetRegion(HWND form, HBITMAP picture, COLORREF transparent,
                               const std::string& file) {
  const bool from_file = FileExists(file);
  form_ = form;

  UniqueRegion region =
      from_file ? RegionFromFile(file) : RegionFromPicture(picture, transparent);
  region_ = region.get();
  if (!from_file && !file.empty()) {
    try {
      SaveRegionDataToFile(file);
    } catch (...) {
      region_ = nullptr;  // freed with `region`
      throw;
    }
  }
  // Once set, the window frees the region itself.
  if (SetWindowRgn(form, region.get(), TRUE)) {
    (void)region.release();
  } else {
    region_ = nullptr;
  }
}

void clsTransparent::DragForm(HWND window, short button) const {
  if (button != 1) return;
  ReleaseCapture();
  SendMessageA(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

UniqueRegion clsTransparent::RegionFromPicture(HBITMAP picture, COLORREF transparent) const {
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  if (!dc) return {};

  // Without a bitmap the picture has no size and gives the empty region.
  BITMAP info{};
  int width = 0;
  int height = 0;
  if (GetObjectA(picture, sizeof info, &info) == sizeof info) {
    width = info.bmWidth;
    height = std::abs(info.bmHeight);
  }

  std::vector<RegionRect> rects;
  {
    ScopedSelect selected(dc.get(), picture);
    // A picture that cannot be selected reads as CLR_INVALID everywhere,
    // which no colour matches: its whole rectangle, as GetPixel would give.
    rects = ScanPictureRegion(
        width, height,
        [&](int x, int y) { return static_cast<std::uint32_t>(GetPixel(dc.get(), x, y)); },
        transparent);
  }
  return RegionFromBytes(SerializeRegionData(rects));
}

void clsTransparent::SaveRegionDataToFile(const std::string& file) const {
  const DWORD size = GetRegionData(region_, 0, nullptr);
  if (size < 1) {
    throw RaisedError(errnum::kRegionSizeUnknown, kSaveSource,
                      "Unable to determine size of region in SaveRegionDataToFile");
  }
  std::vector<std::uint8_t> buffer(size);
  if (GetRegionData(region_, size, reinterpret_cast<RGNDATA*>(buffer.data())) != size) {
    throw RaisedError(errnum::kRegionDataUnreadable, kSaveSource,
                      "Unable to get region data in SaveRegionDataToFile");
  }

  DeleteFileA(file.c_str());
  DWORD written = 0;
  bool ok = false;
  {
    UniqueFile out(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out) throw RaisedError(errnum::kPathFileAccess, kSaveSource, "Path/File access error");
    ok = WriteFile(out.get(), buffer.data(), size, &written, nullptr) && written == size;
  }
  if (!ok) {
    // A half-written file would be taken for the shape next time.
    DeleteFileA(file.c_str());
    throw RaisedError(errnum::kPathFileAccess, kSaveSource, "Path/File access error");
  }
}

UniqueRegion clsTransparent::RegionFromFile(const std::string& file) const {
  std::vector<std::uint8_t> bytes;
  {
    UniqueFile in(CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!in) throw RaisedError(errnum::kFileNotFound, FileSource(), "File not found");
    DWORD high = 0;
    const DWORD size = GetFileSize(in.get(), &high);
    if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
      throw RaisedError(errnum::kPathFileAccess, FileSource(), "Path/File access error");
    }
    if (high != 0 || size > kLargestRegionFile) {
      throw RaisedError(errnum::kInvalidFileFormat, FileSource(), "Invalid file format");
    }
    bytes.resize(size);
    DWORD read = 0;
    if (size > 0 && (!ReadFile(in.get(), bytes.data(), size, &read, nullptr) || read != size)) {
      throw RaisedError(errnum::kPathFileAccess, FileSource(), "Path/File access error");
    }
  }

  // ExtCreateRegion trusts the block's own count, so a damaged file must be
  // turned away before it reads past the end.
  UniqueRegion region;
  if (ParseRegionData(bytes)) region = RegionFromBytes(bytes);
  if (!region) {
    throw RaisedError(errnum::kInvalidFileFormat, FileSource(), "Invalid file format");
  }
  return region;
}

}  // namespace kdw
