// Loads, from its own executable, every resource that kdw3.rc or
// kdwsetup.rc provides, the way the programs will: the icon at each size,
// the version block, the manifest (and that it really brings common
// controls 6), and for kdw3 every picture by its name.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "resources/resource_names.h"

namespace {

namespace res = kdw::resources;

HINSTANCE Self() { return GetModuleHandleA(nullptr); }

std::string ResourceText(const char* name, const char* type) {
  HRSRC found = FindResourceA(Self(), name, type);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(Self(), found);
  const char* data = static_cast<const char*>(LockResource(loaded));
  return data ? std::string(data, SizeofResource(Self(), found)) : std::string();
}

BOOL CALLBACK CountName(HMODULE, LPCSTR, LPSTR, LONG_PTR count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

TEST(ApplicationIcon, HoldsItsOwnPictureForEachSize) {
  HRSRC group = FindResourceA(Self(), MAKEINTRESOURCEA(res::kAppIconId), RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  auto* directory = static_cast<BYTE*>(LockResource(LoadResource(Self(), group)));
  ASSERT_NE(directory, nullptr);
  for (int size : {16, 32, 48}) {
    SCOPED_TRACE(size);
    // The entry Windows picks for this size must be that size, not a scaled one.
    int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    HRSRC entry = FindResourceA(Self(), MAKEINTRESOURCEA(id), RT_ICON);
    ASSERT_NE(entry, nullptr);
    auto* header = static_cast<BITMAPINFOHEADER*>(LockResource(LoadResource(Self(), entry)));
    EXPECT_EQ(header->biWidth, size);
    EXPECT_EQ(header->biBitCount, 32);

    auto icon = static_cast<HICON>(LoadImageA(Self(), MAKEINTRESOURCEA(res::kAppIconId),
                                              IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, nullptr);
    DestroyIcon(icon);
  }
}

TEST(Manifest, IsTheOnlyOneAndBringsCommonControls6) {
  int manifests = 0;
  EnumResourceNamesA(Self(), MAKEINTRESOURCEA(24), CountName, reinterpret_cast<LONG_PTR>(&manifests));
  EXPECT_EQ(manifests, 1);  // the linker's default manifest must not come along

  std::string text = ResourceText(MAKEINTRESOURCEA(KDW_MANIFEST_ID), MAKEINTRESOURCEA(24));
  EXPECT_NE(text.find("name=\"Microsoft.Windows.Common-Controls\""), std::string::npos);
  EXPECT_NE(text.find("version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(text.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos);
  EXPECT_NE(text.find("level=\"asInvoker\""), std::string::npos);
  // Windows loads no assembly of another processor: both the program's own
  // identity and the common controls name this build's.
  const std::string arch = "processorArchitecture=\"" KDW_MANIFEST_ARCH "\"";
  std::size_t first = text.find(arch);
  ASSERT_NE(first, std::string::npos) << text;
  EXPECT_NE(text.find(arch, first + 1), std::string::npos) << text;
  EXPECT_EQ(text.find("@KDW_MANIFEST_ARCH@"), std::string::npos);

  // The loader activated it: comctl32 comes from the side-by-side common
  // controls 6 assembly, not from the system folder's version 5. (Wine's
  // copy there reports 5.81 from DllGetVersion, so the folder is what tells.)
  HMODULE comctl = LoadLibraryA("comctl32.dll");
  ASSERT_NE(comctl, nullptr);
  char path[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameA(comctl, path, MAX_PATH), 0u);
  std::string folder = CharLowerA(path);
  EXPECT_NE(folder.find("microsoft.windows.common-controls_6595b64144ccf1df_6."), std::string::npos)
      << folder;
}

TEST(VersionBlock, NamesTheProgramAndVersion3) {
  char path[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameA(nullptr, path, MAX_PATH), 0u);
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00030000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);

  auto text = [&](const char* name) -> std::string {
    char* value = nullptr;
    UINT chars = 0;
    std::string query = std::string("\\StringFileInfo\\040904E4\\") + name;
    if (!VerQueryValueA(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &chars))
      return "(missing)";
    return value;
  };
  EXPECT_EQ(text("ProductName"), "Kelmor Deskwarden");
  EXPECT_EQ(text("CompanyName"), "Kelmor");
  EXPECT_NE(text("LegalCopyright").find("Kelmor"), std::string::npos);
#if KDW_CHECK_INSTALLER
  EXPECT_EQ(text("FileDescription"), "Kelmor Deskwarden Component Installer");
  EXPECT_EQ(text("OriginalFilename"), "kdwsetup.exe");
#else
  EXPECT_EQ(text("FileDescription"), "Kelmor Deskwarden");
  EXPECT_EQ(text("OriginalFilename"), "kdw3.exe");
#endif
}

#if KDW_CHECK_PICTURES

struct Picture {
  const char* name;
  int height;
  COLORREF corner;  // what the top left pixel must be: the background
};

std::vector<Picture> AllPictures() {
  const COLORREF face = res::kPictureBackground;
  std::vector<Picture> all;
  for (int image = 1; image <= 20; ++image) {
    bool battery = image >= 15;
    all.push_back({res::AddPicture(image), battery ? 16 : 32,
                   image == 3 ? res::kShapeTransparentColour : face});
  }
  for (const char* name : {res::kButtonHelp, res::kButtonPower, res::kButtonRecommended,
                           res::kButtonOk, res::kButtonCancel, res::kPictureLock,
                           res::kPictureWelcome1, res::kPictureWelcome2})
    all.push_back({name, 32, face});
  return all;
}

TEST(Pictures, NamesFollowTheImageNumbers) {
  EXPECT_STREQ(res::AddPicture(1), "ADD01");
  EXPECT_STREQ(res::AddPicture(5), "ADD05");
  EXPECT_STREQ(res::AddPicture(20), "ADD20");
  EXPECT_EQ(res::AddPicture(0), nullptr);
  EXPECT_EQ(res::AddPicture(21), nullptr);
}

TEST(Pictures, EachLoadsAs24BitAtItsSizeOnItsBackground) {
  HDC dc = CreateCompatibleDC(nullptr);
  for (const Picture& picture : AllPictures()) {
    SCOPED_TRACE(picture.name);
    auto bitmap = static_cast<HBITMAP>(
        LoadImageA(Self(), picture.name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    DIBSECTION dib{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 24);
    EXPECT_EQ(dib.dsBm.bmWidth, 32);
    EXPECT_EQ(dib.dsBm.bmHeight, picture.height);

    HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_EQ(GetPixel(dc, 0, 0), picture.corner);
    int drawn = 0;
    for (int y = 0; y < picture.height; ++y)
      for (int x = 0; x < 32; ++x) drawn += GetPixel(dc, x, y) != picture.corner;
    EXPECT_GT(drawn, 32 * picture.height / 8);  // a picture, not an empty square
    SelectObject(dc, old);
    DeleteObject(bitmap);

    // The device-dependent form the picture controls take works too.
    HBITMAP plain = LoadBitmapA(Self(), picture.name);
    EXPECT_NE(plain, nullptr);
    DeleteObject(plain);
  }
  DeleteDC(dc);
}

#endif  // KDW_CHECK_PICTURES

#ifdef KDW_SHIPPED_PROGRAM

// The names of a PE image's sections; a long name ("/4") is looked up in the
// string table after the symbols, which stripping keeps for such names.
std::vector<std::string> SectionNames(const std::string& image) {
  std::vector<std::string> names;
  if (image.size() < 0x40) return names;
  const auto at = [&](std::size_t offset, std::size_t size) -> const char* {
    return offset + size <= image.size() ? image.data() + offset : nullptr;
  };
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(at(0, sizeof(IMAGE_DOS_HEADER)));
  const std::size_t pe = dos ? static_cast<std::size_t>(dos->e_lfanew) : image.size();
  const auto* file = reinterpret_cast<const IMAGE_FILE_HEADER*>(at(pe + 4, sizeof(IMAGE_FILE_HEADER)));
  if (!file) return names;
  const std::size_t strings =
      file->PointerToSymbolTable + std::size_t{file->NumberOfSymbols} * IMAGE_SIZEOF_SYMBOL;
  std::size_t offset = pe + 4 + sizeof(IMAGE_FILE_HEADER) + file->SizeOfOptionalHeader;
  for (int i = 0; i < file->NumberOfSections; ++i, offset += sizeof(IMAGE_SECTION_HEADER)) {
    const auto* section =
        reinterpret_cast<const IMAGE_SECTION_HEADER*>(at(offset, sizeof(IMAGE_SECTION_HEADER)));
    if (!section) break;
    std::string name(reinterpret_cast<const char*>(section->Name),
                     strnlen(reinterpret_cast<const char*>(section->Name), 8));
    if (name.size() > 1 && name[0] == '/' && file->PointerToSymbolTable) {
      const char* text = at(strings + std::strtoul(name.c_str() + 1, nullptr, 10), 1);
      if (text) name = std::string(text, strnlen(text, image.data() + image.size() - text));
    }
    names.push_back(name);
  }
  return names;
}

// The program as it ships: stripped, pointing to its symbols file, and with
// the same version block, manifest and icon as the check program.
TEST(ShippedProgram, IsStrippedAndKeepsItsResources) {
  const char* path = KDW_SHIPPED_PROGRAM;
  std::string image;
  {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    image.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, image.data(), static_cast<DWORD>(image.size()), &read, nullptr);
    CloseHandle(file);
    ASSERT_EQ(read, image.size());
  }
  const std::vector<std::string> sections = SectionNames(image);
  ASSERT_FALSE(sections.empty());
  for (const std::string& name : sections) EXPECT_NE(name.rfind(".debug", 0), 0u) << name;
  EXPECT_NE(std::find(sections.begin(), sections.end(), ".gnu_debuglink"), sections.end());

  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));
  char* value = nullptr;
  UINT chars = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\040904E4\\OriginalFilename",
                             reinterpret_cast<void**>(&value), &chars));
#if KDW_CHECK_INSTALLER
  EXPECT_STREQ(value, "kdwsetup.exe");
#else
  EXPECT_STREQ(value, "kdw3.exe");
#endif

  HMODULE program = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(program, nullptr);
  EXPECT_NE(FindResourceA(program, MAKEINTRESOURCEA(KDW_MANIFEST_ID), MAKEINTRESOURCEA(24)),
            nullptr);
  EXPECT_NE(FindResourceA(program, MAKEINTRESOURCEA(res::kAppIconId), RT_GROUP_ICON), nullptr);
#if KDW_CHECK_PICTURES
  EXPECT_NE(FindResourceA(program, res::AddPicture(11), RT_BITMAP), nullptr);
#endif
  FreeLibrary(program);
}

#endif  // KDW_SHIPPED_PROGRAM

}  // namespace
