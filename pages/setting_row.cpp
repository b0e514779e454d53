#include "pages/setting_row.h"

namespace kdw::pages {

std::string EffectSentence(Effect effect) {
  if (effect == Effect::kImmediately) {
    return "Takes effect without a restart of Explorer, a log on or a restart of Windows.";
  }
  return std::string("Takes effect ") + WhenText(effect) + ".";
}

}  // namespace kdw::pages
