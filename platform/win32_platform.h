// The Win32 implementations of the platform interfaces (cross build only).
// The header stays free of <windows.h>; handles are kept as numbers.
#pragma once

#include <cstdint>

#include "platform/crypto.h"
#include "platform/file_dialogs.h"
#include "platform/file_system.h"
#include "platform/input_box.h"
#include "platform/message_boxes.h"
#include "platform/process_starter.h"

namespace kdw {

// MessageBoxA.
class Win32MessageBoxes : public MessageBoxes {
 public:
  int Show(WindowHandle owner, const std::string& text, const std::string& title,
           std::uint32_t style) override;
};

// A modal dialog made from an in-memory template: caption, prompt, one-line
// edit, OK (default) and Cancel, MS Shell Dlg 8 pt, centred on the owner (or
// the screen). Each control carries its design name in the "Name" property.
class Win32InputBox : public InputBox {
 public:
  std::string Ask(WindowHandle owner, const std::string& prompt, const std::string& title,
                  const std::string& default_text) override;
};

// CreateProcessA with the show command in STARTUPINFO; the handles it gives
// are closed at once.
class Win32ProcessStarter : public ProcessStarter {
 public:
  bool Start(const std::string& command_line, int show_command) override;
};

// FindFirstFileA, GetModuleFileNameA, CreateFileA; the replacement through
// GetTempFileNameA and MoveFileExA (MOVEFILE_REPLACE_EXISTING).
class Win32FileSystem : public FileSystem {
 public:
  bool IsNormalFile(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& folder,
                                     const std::string& pattern) override;
  std::string ProgramFolder() override;
  bool ReadWholeFile(const std::string& path, Bytes& bytes) override;
  bool WriteWholeFile(const std::string& path, const Bytes& bytes) override;
  std::string ProgramName() override;
  bool ReplaceWholeFile(const std::string& path, const Bytes& bytes) override;
  bool IsFolder(const std::string& path) const override;
  bool MakeFolder(const std::string& path) override;
};

// GetOpenFileNameA and GetSaveFileNameA (comdlg32), SHBrowseForFolderA (shell32).
class Win32FileDialogs : public FileDialogs {
 public:
  std::string ShowOpenFileDialog(WindowHandle owner, const std::string& filter,
                                 const std::string& title,
                                 const std::string& initial_folder) override;
  std::string ShowSaveFileDialog(WindowHandle owner, const std::string& filter,
                                 const std::string& title, const std::string& extension) override;
  std::string DirBox(WindowHandle owner, const std::string& message) override;
};

// CryptoAPI: one verify-only context for the object's life, CryptGenRandom
// and CALG_SHA_256 hashes. Windows XP before SP3 has no SHA-256 in CryptoAPI
// (and no AES provider on some): then the base RSA provider gives the random
// bytes and the bundled SHA-256 hashes, decided once when the object is made.
class Win32Crypto : public Crypto {
 public:
  explicit Win32Crypto(Sha256Source source = Sha256Source::kPlatformWhenPresent);
  ~Win32Crypto() override;
  Win32Crypto(const Win32Crypto&) = delete;
  Win32Crypto& operator=(const Win32Crypto&) = delete;

  // A CryptoAPI context was had: random bytes can be given.
  bool available() const { return provider_ != 0; }
  // CryptoAPI hashes SHA-256 itself (else the bundled one does).
  bool platform_sha256() const { return platform_sha256_; }
  bool RandomBytes(std::size_t count, Bytes& out) override;
  bool Sha256(const Bytes& data, Sha256Digest& out) override;

 private:
  std::uintptr_t provider_ = 0;  // HCRYPTPROV
  bool platform_sha256_ = false;
};

}  // namespace kdw
