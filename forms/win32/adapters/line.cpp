// Line: an etched static window, across or down by its longer side.
#include "forms/win32/adapters/adapters.h"

namespace kdw::forms::adapters {
namespace {

class LineAdapter final : public ControlAdapter {
 public:
  using ControlAdapter::ControlAdapter;

  void Create(const Placement& place) override {
    const DWORD etch = place.width >= place.height ? SS_ETCHEDHORZ : SS_ETCHEDVERT;
    CreateWindowOf("STATIC", etch, 0, "", place);
  }
};

}  // namespace

std::unique_ptr<ControlAdapter> MakeLine(ControlSite& site, Control& control, int id) {
  return std::make_unique<LineAdapter>(site, control, id);
}

}  // namespace kdw::forms::adapters
