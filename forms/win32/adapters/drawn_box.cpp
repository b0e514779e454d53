// Picture boxes and shapes: the form draws their etched edge itself. A
// window here would hide the controls that lie inside it.
#include "forms/win32/adapters/adapters.h"

namespace kdw::forms::adapters {
namespace {

class DrawnBoxAdapter final : public ControlAdapter {
 public:
  using ControlAdapter::ControlAdapter;

  void Create(const Placement& place) override {
    box_ = {place.x, place.y, place.x + place.width, place.y + place.height};
    drawn_visible_ = site_.Shown(control());
  }

  // No window: the enabled flag means nothing, but a box shown or hidden
  // must be drawn again.
  void Push() override {
    if (drawn_visible_ == site_.Shown(control())) return;
    drawn_visible_ = !drawn_visible_;
    InvalidateRect(site_.window(), &box_, TRUE);
  }

  void Paint(HDC dc) override {
    if (box_.right > box_.left && drawn_visible_) DrawEdge(dc, &box_, EDGE_ETCHED, BF_RECT);
  }

 private:
  RECT box_ = {};
  bool drawn_visible_ = true;
};

}  // namespace

std::unique_ptr<ControlAdapter> MakeDrawnBox(ControlSite& site, Control& control, int id) {
  return std::make_unique<DrawnBoxAdapter>(site, control, id);
}

}  // namespace kdw::forms::adapters
