// The line breaking of help pop-ups, measured here one unit a character.
#include "forms/text_wrap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kdw::forms {
namespace {

std::vector<std::string> Wrapped(std::string_view text, int width) {
  std::vector<std::string> lines;
  for (std::string_view line : WrapText(text, width, [](std::string_view piece) {
         return static_cast<int>(piece.size());
       }))
    lines.emplace_back(line);
  return lines;
}

using Lines = std::vector<std::string>;

TEST(WrapText, BreaksAtBlanksAndKeepsTheTextsOwnLineBreaks) {
  EXPECT_EQ(Wrapped("Hides the Run command.", 40), Lines{"Hides the Run command."});
  EXPECT_EQ(Wrapped("Hides the Run command.", 10), (Lines{"Hides the", "Run", "command."}));
  // A blank just past the edge is the break; blanks around breaks go.
  EXPECT_EQ(Wrapped("Hides  the Run", 5), (Lines{"Hides", "the", "Run"}));
  // CR LF and LF alike; an empty line stays, as the gap between parts.
  EXPECT_EQ(Wrapped("One.\r\n\r\nTwo words.\nThree", 40), (Lines{"One.", "", "Two words.", "Three"}));
}

TEST(WrapText, APathBreaksBetweenItsKeysAndAnOverlongPieceIsCut) {
  EXPECT_EQ(Wrapped("HKEY_CURRENT_USER\\Software\\Policies\\NoRun", 28),
            (Lines{"HKEY_CURRENT_USER\\Software\\", "Policies\\NoRun"}));
  EXPECT_EQ(Wrapped("abcdefghij", 4), (Lines{"abcd", "efgh", "ij"}));
  // Even a line too narrow for one character moves on.
  EXPECT_EQ(Wrapped("ab", 0), (Lines{"a", "b"}));
  // Nothing is lost or added: the lines are the text less the breaks.
  const std::string text = "Takes effect when Windows Explorer restarts.";
  std::string joined;
  for (const std::string& line : Wrapped(text, 9)) joined += line + " ";
  EXPECT_EQ(joined, text + " ");
}

}  // namespace
}  // namespace kdw::forms
