// How a pop-up breaks its text into lines, apart from how it measures them,
// so that the rule is the same on every host and can be checked anywhere.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

namespace kdw::forms {

// The lines of `text` as shown at most `width` wide, `measure` giving a
// piece's width. A line ends at each line break of the text (LF or CR LF);
// else after the last blank or backslash that lets it fit, so that a
// registry path breaks between its keys; a piece wider than a whole line is
// cut where it must be. Blanks around a break are left out of the lines.
// Every line is a view into `text`.
std::vector<std::string_view> WrapText(std::string_view text, int width,
                                       const std::function<int(std::string_view)>& measure);

}  // namespace kdw::forms
