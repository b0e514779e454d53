#include "registry/policy_reader.h"

#include <optional>
#include <string>

#include "base/text.h"
#include "registry/code_page.h"

namespace kdw {
namespace {

struct Bad {
  std::size_t offset;
  std::string what;
};

// The list of a "**DeleteKeys" or "**DeleteValues" entry: its text up to
// the first NUL, split at ';', empty names dropped.
std::vector<std::string> NameList(const std::string& data) {
  std::vector<std::string> names;
  const std::string text = data.substr(0, data.find('\0'));
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    if (end > start) names.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

class Reader {
 public:
  Reader(std::span<const std::uint8_t> bytes, Hive hive) : bytes_(bytes), hive_(hive) {}

  std::vector<RegistryChange> Read() {
    if (bytes_.size() < 8 || bytes_[0] != 'P' || bytes_[1] != 'R' || bytes_[2] != 'e' ||
        bytes_[3] != 'g') {
      throw Bad{0, "not a registry policy file: it does not begin with \"PReg\""};
    }
    at_ = 4;
    if (Number() != 1) throw Bad{4, "a registry policy file of a version other than 1"};
    while (at_ < bytes_.size()) Entry();
    return std::move(changes_);
  }

 private:
  void Need(std::size_t count) const {
    if (bytes_.size() - at_ < count) throw Bad{entry_, "an entry cut short by the end of the file"};
  }

  char16_t Unit() {
    Need(2);
    const char16_t unit = static_cast<char16_t>(bytes_[at_] | bytes_[at_ + 1] << 8);
    at_ += 2;
    return unit;
  }

  void Expect(char16_t wanted, const char* what) {
    const std::size_t where = at_;
    if (Unit() != wanted) throw Bad{where, std::string("expected ") + what};
  }

  std::uint32_t Number() {
    Need(4);
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i) number = number << 8 | bytes_[at_ + i];
    at_ += 4;
    return number;
  }

  std::string Text(std::u16string_view wide, std::size_t where) const {
    std::string text;
    if (!CodePageFromUtf16(wide, &text)) throw Bad{where, "text the system code page cannot hold"};
    return text;
  }

  // A name up to its NUL.
  std::string Name() {
    const std::size_t where = at_;
    std::u16string wide;
    for (char16_t unit = Unit(); unit != 0; unit = Unit()) wide += unit;
    return Text(wide, where);
  }

  void Entry() {
    entry_ = at_;
    Expect(u'[', "'[' at the start of an entry");
    std::string key = Name();
    Expect(u';', "';' after the key");
    const std::string name = Name();
    Expect(u';', "';' after the value name");
    const std::uint32_t type = Number();
    Expect(u';', "';' after the type");
    const std::size_t size_at = at_;
    const std::uint32_t size = Number();
    Expect(u';', "';' after the size");
    if (bytes_.size() - at_ < size) throw Bad{size_at, "a size past the end of the file"};
    const std::size_t data_at = at_;
    std::vector<std::uint8_t> data(bytes_.begin() + static_cast<std::ptrdiff_t>(at_),
                                   bytes_.begin() + static_cast<std::ptrdiff_t>(at_ + size));
    at_ += size;
    Expect(u']', "']' at the end of an entry");
    if (IsTextType(static_cast<ValueType>(type))) {
      if (size % 2 != 0) throw Bad{size_at, "text data of an odd number of bytes"};
      const std::u16string wide = Utf16FromLittleEndian(data);
      const std::string text = Text(wide, data_at);
      data.assign(text.begin(), text.end());
    }
    while (!key.empty() && key.back() == '\\') key.pop_back();
    Add(key, name, type, std::move(data));
  }

  void Add(const std::string& key, const std::string& name, std::uint32_t type,
           std::vector<std::uint8_t> data) {
    // Group Policy makes the key of every entry; once for entries in a row.
    if (!made_ || !SameName(*made_, key)) {
      changes_.push_back(RegistryChange::Of(RegistryChange::kCreateKey, hive_, key));
      made_ = key;
    }
    RegistryChange change = RegistryChange::Of(RegistryChange::kSetValue, hive_, key);
    const std::string folded = FoldCase(name);
    if (!folded.starts_with("**")) {
      change.name = name;
      change.type = static_cast<ValueType>(type);
      change.data = std::move(data);
      changes_.push_back(std::move(change));
    } else if (folded.starts_with("**del.")) {
      change.kind = RegistryChange::kDeleteValue;
      change.name = name.substr(6);
      changes_.push_back(std::move(change));
    } else if (folded == "**delvals.") {
      change.kind = RegistryChange::kDeleteAllValues;
      changes_.push_back(std::move(change));
    } else if (folded == "**deletevalues" || folded == "**deletekeys") {
      const bool keys = folded == "**deletekeys";
      change.kind = keys ? RegistryChange::kDeleteKey : RegistryChange::kDeleteValue;
      for (const std::string& listed : NameList(std::string(data.begin(), data.end()))) {
        RegistryChange one = change;
        if (keys) {
          one.key = key.empty() ? listed : key + "\\" + listed;
        } else {
          one.name = listed;
        }
        changes_.push_back(std::move(one));
      }
    } else {
      change.kind = RegistryChange::kNotCarriedOut;
      change.name = name;
      changes_.push_back(std::move(change));
    }
  }

  std::span<const std::uint8_t> bytes_;
  Hive hive_;
  std::size_t at_ = 0;
  std::size_t entry_ = 0;
  std::optional<std::string> made_;  // the key the last entry made
  std::vector<RegistryChange> changes_;
};

}  // namespace

ReadChanges ReadPolicyFile(std::span<const std::uint8_t> bytes, Hive hive) {
  try {
    return {Reader(bytes, hive).Read(), {}};
  } catch (const Bad& bad) {
    return {{}, "byte " + std::to_string(bad.offset) + ": " + bad.what};
  }
}

}  // namespace kdw
