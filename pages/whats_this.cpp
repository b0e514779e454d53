#include "pages/whats_this.h"

#include "registry/reg_file.h"

namespace kdw::pages {

// CR LF, as edit boxes break lines, so the Find dialog's pane shows the
// text as the pop-up does.
std::string WhatsThisText(const std::string& explanation, Effect effect, const std::string& place) {
  std::string text = explanation;
  text.append("\r\n\r\n").append(EffectSentence(effect)).append("\r\n\r\n").append(place);
  return text;
}

std::string PlaceOf(const SettingRow& row) {
  if (row.kind != ValueKind::kKey) return ValuePath(row.hive, row.key, row.value);
  if (row.checked.keys.empty()) return KeyPath(row.hive, row.key);
  std::string places;
  for (const KeyDefault& key : row.checked.keys) {
    if (!places.empty()) places += "\r\n";
    places += KeyPath(row.hive, key.key);
  }
  return places;
}

}  // namespace kdw::pages
