#include "platform/design_name.h"

namespace kdw {
namespace {

constexpr char kNameProperty[] = "Name";

struct Search {
  const std::string& name;
  HWND found;
};

BOOL CALLBACK MatchName(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  if (DesignNameOf(window) != search->name) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

void SetDesignName(HWND window, const std::string& name) {
  const ATOM atom = GlobalAddAtomA(name.c_str());
  if (atom) SetPropA(window, kNameProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom)));
}

void RemoveDesignName(HWND window) {
  const auto atom =
      static_cast<ATOM>(reinterpret_cast<UINT_PTR>(RemovePropA(window, kNameProperty)));
  if (atom) GlobalDeleteAtom(atom);
}

std::string DesignNameOf(HWND window) {
  const auto atom =
      static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropA(window, kNameProperty)));
  char name[256] = {};
  if (!atom || !GlobalGetAtomNameA(atom, name, sizeof name)) return "";
  return name;
}

HWND FindByDesignName(HWND root, const std::string& name) {
  Search search{name, nullptr};
  EnumChildWindows(root, MatchName, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace kdw
