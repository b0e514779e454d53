// Scriptable stand-ins for every platform interface, for tests in either
// build: a test says what the next dialog answers or whether a start fails,
// and reads back what was shown, asked and started.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/crypto.h"
#include "platform/file_dialogs.h"
#include "platform/file_system.h"
#include "platform/input_box.h"
#include "platform/message_boxes.h"
#include "platform/process_starter.h"

namespace kdw {

struct ShownMessage {
  WindowHandle owner = 0;
  std::string text;
  std::string title;
  std::uint32_t style = 0;
  std::uint32_t icon() const { return style & mb::kIconMask; }
  std::uint32_t buttons() const { return style & mb::kButtonsMask; }
};

class FakeMessageBoxes : public MessageBoxes {
 public:
  int Show(WindowHandle owner, const std::string& text, const std::string& title,
           std::uint32_t style) override;
  // The next message is answered with `button_id`; a message with no answer
  // queued gets its first button (mb::kIdOk for a plain message).
  void QueueAnswer(int button_id) { answers_.push_back(button_id); }
  const std::vector<ShownMessage>& shown() const { return shown_; }
  std::size_t unused_answers() const { return answers_.size(); }
  void Clear();

 private:
  std::vector<ShownMessage> shown_;
  std::deque<int> answers_;
};

struct AskedInput {
  WindowHandle owner = 0;
  std::string prompt;
  std::string title;
  std::string default_text;
};

class FakeInputBox : public InputBox {
 public:
  std::string Ask(WindowHandle owner, const std::string& prompt, const std::string& title,
                  const std::string& default_text) override;
  // The next box is answered with `text` (typed, then OK).
  void QueueAnswer(const std::string& text) { answers_.push_back(text); }
  // The next box is cancelled: it gives the empty text.
  void QueueCancel() { answers_.push_back(""); }
  // A box with no answer queued is confirmed as it opened: its default text.
  const std::vector<AskedInput>& asked() const { return asked_; }
  std::size_t unused_answers() const { return answers_.size(); }
  void Clear();

 private:
  std::vector<AskedInput> asked_;
  std::deque<std::string> answers_;
};

struct StartedProcess {
  std::string command_line;
  int show_command = 0;
  bool succeeded = false;
};

class FakeProcessStarter : public ProcessStarter {
 public:
  bool Start(const std::string& command_line, int show_command) override;
  // From now on every start fails (true) or succeeds (false, the default).
  void SetFailing(bool failing) { failing_ = failing; }
  // Every attempt, failed ones included.
  const std::vector<StartedProcess>& started() const { return started_; }
  void Clear() { started_.clear(); }

 private:
  std::vector<StartedProcess> started_;
  bool failing_ = false;
};

// An in-memory file system with Windows' rules: paths compare without regard
// to letter case and to "/" against "\", a drive root ("C:") always exists,
// a file can only be written into an existing folder, read-only files refuse
// writes, and writing replaces a file as a new archive file. A write either
// happens whole or changes nothing.
class FakeFileSystem : public FileSystem {
 public:
  bool IsNormalFile(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& folder,
                                     const std::string& pattern) override;
  std::string ProgramFolder() override { return program_folder_; }
  bool ReadWholeFile(const std::string& path, Bytes& bytes) override;
  bool WriteWholeFile(const std::string& path, const Bytes& bytes) override;
  std::string ProgramName() override { return program_name_; }
  bool ReplaceWholeFile(const std::string& path, const Bytes& bytes) override;
  bool MakeFolder(const std::string& path) override;

  // Set-up: a file with its contents and attributes, its folders made too.
  void AddFile(const std::string& path, const Bytes& bytes,
               std::uint32_t attributes = fileattr::kArchive);
  void AddFile(const std::string& path, const std::string& text,
               std::uint32_t attributes = fileattr::kArchive);
  // A folder and every missing folder above it.
  void AddFolder(const std::string& path, std::uint32_t attributes = 0);
  void SetProgramFolder(const std::string& folder) { program_folder_ = folder; }
  void SetProgramName(const std::string& name) { program_name_ = name; }
  // The next `count` writes of either kind to `path` (or attempts to make
  // it as a folder) fail and change nothing, as while another program holds
  // the file open.
  void RefuseWrites(const std::string& path, int count);
  void Remove(const std::string& path);

  // Reading back (folders included in Exists).
  bool Exists(const std::string& path) const;
  bool IsFolder(const std::string& path) const override;
  std::optional<Bytes> Contents(const std::string& path) const;
  std::string TextContents(const std::string& path) const;  // "" when missing
  std::uint32_t Attributes(const std::string& path) const;  // 0 when missing
  std::size_t write_count() const { return write_count_; }

 private:
  struct Entry {
    std::string name;  // the last part of the path, as given
    Bytes bytes;
    std::uint32_t attributes = 0;
    bool folder = false;
  };
  const Entry* Find(const std::string& key) const;
  bool FolderExists(const std::string& key) const;

  std::map<std::string, Entry> entries_;  // by folded full path
  std::string program_folder_ = "C:\\Program Files\\Kelmor Deskwarden";
  std::string program_name_ = "kdw3";
  std::size_t write_count_ = 0;
  std::map<std::string, int> refusals_;  // by folded full path
};

struct OpenFileDialogCall {
  WindowHandle owner = 0;
  std::string filter;
  std::string title;
  std::string initial_folder;
};

struct DirBoxCall {
  WindowHandle owner = 0;
  std::string message;
};

class FakeFileDialogs : public FileDialogs {
 public:
  std::string ShowOpenFileDialog(WindowHandle owner, const std::string& filter,
                                 const std::string& title,
                                 const std::string& initial_folder) override;
  std::string ShowSaveFileDialog(WindowHandle owner, const std::string& filter,
                                 const std::string& title, const std::string& extension) override;
  std::string DirBox(WindowHandle owner, const std::string& message) override;
  // What the next dialog of each kind gives; with nothing queued a dialog
  // is cancelled (the empty text).
  void QueueOpenFileResult(const std::string& path) { open_results_.push_back(path); }
  void QueueDirBoxResult(const std::string& folder) { dir_results_.push_back(folder); }
  void QueueSaveFileResult(const std::string& path) { save_results_.push_back(path); }
  // The save dialogs shown: filter, title and extension of each.
  const std::vector<OpenFileDialogCall>& save_file_calls() const { return save_calls_; }
  const std::vector<OpenFileDialogCall>& open_file_calls() const { return open_calls_; }
  const std::vector<DirBoxCall>& dir_box_calls() const { return dir_calls_; }

 private:
  std::vector<OpenFileDialogCall> open_calls_;
  std::vector<DirBoxCall> dir_calls_;
  std::deque<std::string> open_results_;
  std::deque<std::string> dir_results_;
  std::vector<OpenFileDialogCall> save_calls_;
  std::deque<std::string> save_results_;
};

// Real hashing from another Crypto, with a random source a test controls:
// queued byte strings first, then the bytes 0, 1, 2, ... counting on.
class FakeCrypto : public Crypto {
 public:
  explicit FakeCrypto(Crypto& hasher) : hasher_(hasher) {}
  bool RandomBytes(std::size_t count, Bytes& out) override;
  bool Sha256(const Bytes& data, Sha256Digest& out) override;

  // The next request gives these bytes (its count must match, or it fails).
  void QueueRandom(const Bytes& bytes) { random_.push_back(bytes); }
  void SetRandomFails(bool fails) { random_fails_ = fails; }
  void SetHashFails(bool fails) { hash_fails_ = fails; }
  std::size_t random_requests() const { return random_requests_; }
  std::size_t hash_count() const { return hash_count_; }

 private:
  Crypto& hasher_;
  std::deque<Bytes> random_;
  std::uint8_t next_byte_ = 0;
  bool random_fails_ = false;
  bool hash_fails_ = false;
  std::size_t random_requests_ = 0;
  std::size_t hash_count_ = 0;
};

}  // namespace kdw
