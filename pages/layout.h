// Layout helpers the pages share, in twips. A page places its controls in
// columns of equally spaced lines, on the page or inside frames.
#pragma once

#include "forms/controls.h"

namespace kdw::pages {

constexpr int kLinePitch = 255;  // from one check box line to the next
constexpr int kLineHeight = 240;  // one check box or one-line label
constexpr int kTextHeight = 285;  // one-line text box
constexpr int kMargin = 120;
// The first line inside a frame, below the frame's caption.
constexpr int kFrameTop = 240;
// What a page window's caption bar and borders take of its outer size.
constexpr int kChromeWidth = 240;
constexpr int kChromeHeight = 450;

// A column of lines: line n stands at top + n * pitch.
struct Column {
  int left;
  int top;
  int width;
  int pitch = kLinePitch;
  int height = kLineHeight;

  constexpr forms::Rect Line(int n) const { return {left, top + n * pitch, width, height}; }
  // Several lines high, from line n (a list, a multi-line box).
  constexpr forms::Rect Lines(int n, int count) const {
    return {left, top + n * pitch, width, (count - 1) * pitch + height};
  }
  // Just below line n - 1: where a column of n lines ends.
  constexpr int Bottom(int lines) const { return top + (lines - 1) * pitch + height; }
};

// A frame (or picture box) that holds `lines` lines of a column inside it,
// with a margin below the last.
constexpr int FrameHeight(int lines) { return kFrameTop + (lines - 1) * kLinePitch + kLineHeight + 90; }

}  // namespace kdw::pages
