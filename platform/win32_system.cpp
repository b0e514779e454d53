// Processes and files through kernel32.
#include <windows.h>

#include <vector>

#include "platform/win32_platform.h"

namespace kdw {
namespace {

// Closes the file handle it holds.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (valid()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

constexpr DWORD kNotNormal =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// The running executable's full path; the empty text when it cannot be had.
std::string ModulePath() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return "";
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);  // cut short: try a longer buffer
  }
}

// A read-only file is refused, as Windows refuses it; said here because
// Wine running as root would let a create or a move replace it.
bool IsReadOnly(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

bool WriteAll(HANDLE file, const Bytes& bytes) {
  const DWORD size = static_cast<DWORD>(bytes.size());
  DWORD done = 0;
  while (done < size) {
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, size - done, &written, nullptr) || written == 0) {
      return false;
    }
    done += written;
  }
  return true;
}

}  // namespace

bool Win32ProcessStarter::Start(const std::string& command_line, int show_command) {
  if (command_line.empty()) return false;
  std::vector<char> buffer(command_line.begin(), command_line.end());  // CreateProcessA may write
  buffer.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show_command);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

bool Win32FileSystem::IsNormalFile(const std::string& path) {
  if (path.empty()) return false;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  bool normal = false;
  do {
    normal = (found.dwFileAttributes & kNotNormal) == 0;
  } while (!normal && FindNextFileA(search, &found));
  FindClose(search);
  return normal;
}

std::vector<std::string> Win32FileSystem::ListFiles(const std::string& folder,
                                                    const std::string& pattern) {
  std::vector<std::string> names;
  if (folder.empty()) return names;
  std::string path = folder;
  if (path.back() != '\\') path += '\\';
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((path + pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if ((found.dwFileAttributes & kNotNormal) == 0) names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  SortFileNames(names);
  return names;
}

bool Win32FileSystem::MakeFolder(const std::string& path) {
  return !path.empty() && (CreateDirectoryA(path.c_str(), nullptr) || IsFolder(path));
}

bool Win32FileSystem::IsFolder(const std::string& path) const {
  if (path.empty()) return false;
  // "C:" alone would be the current folder of C:, not its root "C:\".
  const std::string query = path.back() == ':' ? path + '\\' : path;
  const DWORD attributes = GetFileAttributesA(query.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Win32FileSystem::ProgramFolder() { return FolderOfPath(ModulePath()); }

std::string Win32FileSystem::ProgramName() {
  const std::string path = ModulePath();
  std::string name = path.substr(path.find_last_of("\\/") + 1);
  const auto dot = name.find_last_of('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

bool Win32FileSystem::ReadWholeFile(const std::string& path, Bytes& bytes) {
  bytes.clear();
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  DWORD high = 0;
  const DWORD size = GetFileSize(file.get(), &high);
  if ((size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) || high != 0) return false;
  Bytes contents(size);
  DWORD done = 0;
  while (done < size) {
    DWORD read = 0;
    if (!ReadFile(file.get(), contents.data() + done, size - done, &read, nullptr) || read == 0) {
      return false;
    }
    done += read;
  }
  bytes = std::move(contents);
  return true;
}

bool Win32FileSystem::WriteWholeFile(const std::string& path, const Bytes& bytes) {
  if (path.empty() || bytes.size() > MAXDWORD || IsReadOnly(path)) return false;
  // Remove any file of that name first (a hidden one too).
  DeleteFileA(path.c_str());
  FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid() && WriteAll(file.get(), bytes);
}

bool Win32FileSystem::ReplaceWholeFile(const std::string& path, const Bytes& bytes) {
  if (path.empty() || bytes.size() > MAXDWORD || IsReadOnly(path)) return false;
  // The temporary file lives beside the destination: the move is then a
  // rename on one volume, and the file takes on that folder's permissions.
  // A bare name is in the current folder; a file in a root ("C:") needs the
  // root's backslash, as "C:" alone is the current folder of C:.
  const std::string parent = FolderOfPath(path);
  const std::string folder =
      parent.empty() ? std::string(".") : parent.back() == ':' ? parent + '\\' : parent;
  char temporary[MAX_PATH] = {};
  if (!GetTempFileNameA(folder.c_str(), "kdw", 0, temporary)) return false;
  bool written = false;
  {
    FileHandle file(CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    written = file.valid() && WriteAll(file.get(), bytes) && FlushFileBuffers(file.get());
  }
  if (written && MoveFileExA(temporary, path.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  DeleteFileA(temporary);
  return false;
}

}  // namespace kdw
