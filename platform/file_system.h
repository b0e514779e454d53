// The file operations the programs need: the "normal files" test of
// FileFound, the program's own folder and name, and whole-file reads and
// writes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/handles.h"

namespace kdw {

// File attributes (FILE_ATTRIBUTE_...) with their Win32 values.
namespace fileattr {
constexpr std::uint32_t kReadOnly = 0x1;
constexpr std::uint32_t kHidden = 0x2;
constexpr std::uint32_t kSystem = 0x4;
constexpr std::uint32_t kDirectory = 0x10;
constexpr std::uint32_t kArchive = 0x20;
constexpr std::uint32_t kNormal = 0x80;
}  // namespace fileattr

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // True when a listing of `path` restricted to normal files yields a name:
  // an existing file that is neither a folder nor hidden nor system
  // (read-only and archive files count). Wildcards in the last part of the
  // path match as in a directory listing. The empty path gives false.
  virtual bool IsNormalFile(const std::string& path) = 0;
  // The names of the normal files in a folder that match a pattern ("*.wmz"),
  // sorted without regard to case, as a file list shows them.
  virtual std::vector<std::string> ListFiles(const std::string& folder,
                                             const std::string& pattern) = 0;
  // The folder of the running executable, without a trailing backslash
  // ("C:\Program Files\Kelmor"; "C:" for a program in the root).
  virtual std::string ProgramFolder() = 0;
  // Reads the whole file; false (and `bytes` emptied) when it cannot be read.
  virtual bool ReadWholeFile(const std::string& path, Bytes& bytes) = 0;
  // Writes `bytes` as the file's whole contents, replacing a file of that
  // name; false when it cannot be written (missing folder, read-only file).
  virtual bool WriteWholeFile(const std::string& path, const Bytes& bytes) = 0;
  // The running executable's file name without folder and extension
  // ("kdwsetup" for "C:\Setup\kdwsetup.exe").
  virtual std::string ProgramName() = 0;
  // Gives the file exactly `bytes` in one step: they are written to a new
  // temporary file in the same folder, which then takes the place of any
  // file of that name. A copy that fails or is stopped before that last step
  // leaves the old file whole; a failure leaves no temporary file behind.
  // False when it cannot be done (missing folder, read-only or busy file).
  virtual bool ReplaceWholeFile(const std::string& path, const Bytes& bytes) = 0;
  // Whether the path names an existing folder (a drive root counts); the
  // empty path gives false.
  virtual bool IsFolder(const std::string& path) const = 0;
  // Makes the folder when it is not there; its parent must exist. True when
  // the path names a folder afterwards, false when it cannot be made (no
  // parent, a file of that name, no right to).
  virtual bool MakeFolder(const std::string& path) = 0;
};

// Whether the path names an existing normal file (not a folder, not hidden,
// not a system file).
inline bool FileFound(FileSystem& files, const std::string& path) {
  return files.IsNormalFile(path);
}

// The folder part of a full file path: everything before its last backslash
// (or slash); the empty text when there is none.
std::string FolderOfPath(const std::string& path);
// The file name of a full path: everything after its last backslash (or
// slash); the whole text when there is none.
std::string FileNameOfPath(const std::string& path);

// Sorts file names as a file list does: without regard to case.
void SortFileNames(std::vector<std::string>& names);

// Whether Windows opens a file of that name as a device, whatever its folder
// or extension: CON, PRN, AUX, NUL, CLOCK$, CONIN$, CONOUT$, COM1 to COM9 and
// LPT1 to LPT9, in any letter case and with blanks after them ("CON.blue.wmz"
// is CON as much as "CON.wmz" is).
bool IsDeviceName(const std::string& file_name);

}  // namespace kdw
