#include "forms/text_wrap.h"

namespace kdw::forms {
namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  return text;
}

void WrapParagraph(std::string_view rest, int width,
                   const std::function<int(std::string_view)>& measure,
                   std::vector<std::string_view>& lines) {
  rest = TrimBlanks(rest);
  if (rest.empty()) {
    lines.push_back(rest);
    return;
  }
  while (!rest.empty()) {
    // The most characters that fit; the widths of longer pieces only grow.
    std::size_t fit = 0;
    while (fit < rest.size() && measure(rest.substr(0, fit + 1)) <= width) ++fit;
    if (fit == rest.size()) {
      lines.push_back(rest);
      return;
    }
    std::size_t cut = 0;
    if (rest[fit] == ' ') {
      cut = fit;  // the blanks that follow are the break
    } else {
      for (std::size_t i = fit; i > 0 && !cut; --i) {
        if (rest[i - 1] == ' ' || rest[i - 1] == '\\') cut = i;
      }
    }
    // A piece with no break that fits is cut, one character at least.
    if (cut == 0) cut = fit > 0 ? fit : 1;
    lines.push_back(TrimBlanks(rest.substr(0, cut)));
    rest = TrimBlanks(rest.substr(cut));
  }
}

}  // namespace

std::vector<std::string_view> WrapText(std::string_view text, int width,
                                       const std::function<int(std::string_view)>& measure) {
  std::vector<std::string_view> lines;
  for (;;) {
    const std::size_t end = text.find('\n');
    std::string_view paragraph = text.substr(0, end);
    if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
    WrapParagraph(paragraph, width, measure, lines);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

}  // namespace kdw::forms
