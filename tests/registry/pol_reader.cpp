#include "tests/registry/pol_reader.h"

#include <cctype>
#include <stdexcept>

namespace kdw::test {
namespace {

struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class Cursor {
 public:
  explicit Cursor(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
  bool AtEnd() const { return at_ == bytes_.size(); }
  [[noreturn]] void Fail(const std::string& what) const {
    throw Failure("byte " + std::to_string(at_) + ": " + what);
  }
  std::uint8_t Byte() {
    if (AtEnd()) Fail("the file ends inside an entry");
    return bytes_[at_++];
  }
  char16_t Char() {
    const std::uint8_t low = Byte();
    return static_cast<char16_t>(low | Byte() << 8);
  }
  std::uint32_t Number() {
    std::uint32_t number = 0;
    for (int shift = 0; shift < 32; shift += 8) number |= std::uint32_t{Byte()} << shift;
    return number;
  }
  void Expect(char16_t wanted) {
    if (Char() != wanted) {
      at_ -= 2;
      Fail(std::string("expected '") + static_cast<char>(wanted) + "'");
    }
  }
  std::u16string NulTerminated() {
    std::u16string text;
    for (char16_t c = Char(); c != 0; c = Char()) text += c;
    return text;
  }
  std::vector<std::uint8_t> Take(std::uint32_t size) {
    if (size > bytes_.size() - at_) Fail("the size passes the end of the file");
    std::vector<std::uint8_t> data(bytes_.begin() + at_, bytes_.begin() + at_ + size);
    at_ += size;
    return data;
  }

 private:
  const std::vector<std::uint8_t>& bytes_;
  std::size_t at_ = 0;
};

bool Same(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

bool IsText(std::uint32_t type) { return type == 1 || type == 2 || type == 7; }

}  // namespace

ReadPolFile ReadPolBytes(const std::vector<std::uint8_t>& bytes) {
  ReadPolFile file;
  Cursor in(bytes);
  try {
    if (in.Number() != 0x67655250) in.Fail("no PReg signature");
    if (in.Number() != 1) in.Fail("not version 1");
    while (!in.AtEnd()) {
      PolEntry entry;
      in.Expect(u'[');
      entry.key = in.NulTerminated();
      in.Expect(u';');
      entry.value = in.NulTerminated();
      in.Expect(u';');
      entry.type = in.Number();
      in.Expect(u';');
      const std::uint32_t size = in.Number();
      in.Expect(u';');
      entry.data = in.Take(size);
      in.Expect(u']');
      if (IsText(entry.type) && entry.data.size() % 2 != 0) in.Fail("text of an odd length");
      file.entries.push_back(std::move(entry));
    }
  } catch (const Failure& failure) {
    file.error = failure.what();
  }
  return file;
}

std::string Narrow(const std::u16string& text) {
  std::string out;
  for (const char16_t c : text) out += c < 0x100 ? static_cast<char>(c) : '?';
  return out;
}

std::vector<std::uint8_t> NarrowData(const PolEntry& entry) {
  if (!IsText(entry.type)) return entry.data;
  std::vector<std::uint8_t> out;
  for (std::size_t i = 0; i + 1 < entry.data.size(); i += 2) {
    const char16_t c = static_cast<char16_t>(entry.data[i] | entry.data[i + 1] << 8);
    out.push_back(static_cast<std::uint8_t>(c < 0x100 ? c : '?'));
  }
  return out;
}

std::vector<std::string> DeletedKeys(const PolEntry& entry) {
  const std::vector<std::uint8_t> text = NarrowData(entry);
  std::string list(text.begin(), text.end());
  list = list.substr(0, list.find('\0'));
  std::vector<std::string> names;
  for (std::size_t start = 0;;) {
    const std::size_t end = list.find(';', start);
    names.push_back(list.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return names;
}

const PolEntry* FindValue(const ReadPolFile& file, const std::string& key,
                          const std::string& value) {
  const PolEntry* found = nullptr;
  for (const PolEntry& entry : file.entries) {
    if (Same(Narrow(entry.key), key) && Same(Narrow(entry.value), value)) found = &entry;
  }
  return found;
}

bool Names(const ReadPolFile& file, const std::string& key, const std::string& value) {
  for (const PolEntry& entry : file.entries) {
    const std::string where = Narrow(entry.key);
    const std::string name = Narrow(entry.value);
    if (Same(where, key) &&
        (Same(name, value) || Same(name, "**del." + value) || Same(name, "**delvals.")))
      return true;
    if (!Same(name, "**DeleteKeys")) continue;
    for (const std::string& subkey : DeletedKeys(entry)) {
      const std::string removed = where + "\\" + subkey;
      if (Same(key, removed) ||
          (key.size() > removed.size() && key[removed.size()] == '\\' &&
           Same(key.substr(0, removed.size()), removed)))
        return true;
    }
  }
  return false;
}

}  // namespace kdw::test
