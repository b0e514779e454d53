#include "pages/catalogue.h"

#include <array>

#include "pages/shell/start_menu_page.h"

namespace kdw::pages {
namespace {

// One line a page.
const std::array kPages = {
    PageEntry{kStartMenuPage, MakeStartMenuPage},
};

}  // namespace

std::span<const PageEntry> Catalogue() { return kPages; }

const PageEntry* FindPage(const std::string& form_name) {
  for (const PageEntry& page : kPages) {
    if (form_name == page.spec.name) return &page;
  }
  return nullptr;
}

}  // namespace kdw::pages
