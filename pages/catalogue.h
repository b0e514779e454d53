// Every page of the program in one place: its declaration (form and rows)
// and its factory. The main window's sections open pages through it, and
// whatever walks all settings (the common page checks, search, export) reads
// it without knowing the pages.
#pragma once

#include <memory>
#include <span>
#include <string>

#include "core/context.h"
#include "forms/form_controller.h"
#include "pages/setting_page.h"

namespace kdw::pages {

using PageFactory = PageMaker;

struct PageEntry {
  const PageSpec& decl;
  PageFactory make;
  // A dialog that a page opens: that page's form and the control on it that
  // opens the dialog, as that page declares them. Empty for the pages the
  // sections open.
  const char* opened_by = "";
  const char* opener = "";
};

// In the order of the sections that open them.
std::span<const PageEntry> Catalogue();

// The form of the page a section opens to show this entry's settings: its
// own, or for a dialog that of the page that opens it.
const char* ShownOn(const PageEntry& entry);

// The page whose form has that name, or null.
const PageEntry* FindPage(const std::string& form_name);

}  // namespace kdw::pages
