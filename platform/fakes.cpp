#include "platform/fakes.h"

namespace kdw {

int FakeMessageBoxes::Show(WindowHandle owner, const std::string& text, const std::string& title,
                           std::uint32_t style) {
  shown_.push_back({owner, text, title, style});
  if (answers_.empty()) return mb::DefaultButton(style);
  const int answer = answers_.front();
  answers_.pop_front();
  return answer;
}

void FakeMessageBoxes::Clear() {
  shown_.clear();
  answers_.clear();
}

std::string FakeInputBox::Ask(WindowHandle owner, const std::string& prompt,
                              const std::string& title, const std::string& default_text) {
  asked_.push_back({owner, prompt, title, default_text});
  if (answers_.empty()) return default_text;
  std::string answer = answers_.front();
  answers_.pop_front();
  return answer;
}

void FakeInputBox::Clear() {
  asked_.clear();
  answers_.clear();
}

bool FakeProcessStarter::Start(const std::string& command_line, int show_command) {
  started_.push_back({command_line, show_command, !failing_});
  return !failing_;
}

namespace {

// The next queued answer; a dialog with none queued is cancelled.
std::string TakeNext(std::deque<std::string>& queue) {
  if (queue.empty()) return "";
  std::string result = queue.front();
  queue.pop_front();
  return result;
}

}  // namespace

std::string FakeFileDialogs::ShowOpenFileDialog(WindowHandle owner, const std::string& filter,
                                                const std::string& title,
                                                const std::string& initial_folder) {
  open_calls_.push_back({owner, filter, title, initial_folder});
  return TakeNext(open_results_);
}

std::string FakeFileDialogs::ShowSaveFileDialog(WindowHandle owner, const std::string& filter,
                                                const std::string& title,
                                                const std::string& extension) {
  // The extension stands where an open dialog's folder would.
  save_calls_.push_back({owner, filter, title, extension});
  return TakeNext(save_results_);
}

std::string FakeFileDialogs::DirBox(WindowHandle owner, const std::string& message) {
  dir_calls_.push_back({owner, message});
  return TakeNext(dir_results_);
}

bool FakeCrypto::RandomBytes(std::size_t count, Bytes& out) {
  ++random_requests_;
  out.clear();
  if (random_fails_) return false;
  if (!random_.empty()) {
    Bytes queued = random_.front();
    random_.pop_front();
    if (queued.size() != count) return false;
    out = std::move(queued);
    return true;
  }
  for (std::size_t i = 0; i < count; ++i) out.push_back(next_byte_++);
  return true;
}

bool FakeCrypto::Sha256(const Bytes& data, Sha256Digest& out) {
  ++hash_count_;
  if (hash_fails_) return false;
  return hasher_.Sha256(data, out);
}

}  // namespace kdw
