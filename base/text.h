// Text compared as Windows compares registry and file names: without regard
// to the case of ASCII letters; and counts in words.
#pragma once

#include <algorithm>
#include <cctype>
#include <string>

namespace kdw {

inline std::string FoldCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

inline bool SameName(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
    return std::tolower(x) == std::tolower(y);
  });
}

// Whether registry key path `key` lies below `parent` (not at it), compared
// as Windows compares key names.
inline bool IsBelow(const std::string& key, const std::string& parent) {
  return key.size() > parent.size() && key[parent.size()] == '\\' &&
         SameName(key.substr(0, parent.size()), parent);
}

// A count with its noun: "1 setting", "3 settings".
inline std::string Counted(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace kdw
