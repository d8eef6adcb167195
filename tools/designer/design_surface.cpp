#include "tools/designer/design_surface.h"

#include "framework/controls/control.h"

namespace designer {
namespace {

constexpr int kBigStep = 8;  // with Ctrl

pf::Point Minus(pf::Point a, pf::Point b) { return {a.x - b.x, a.y - b.y}; }

}  // namespace

DesignSurface::DesignSurface(DesignSession& session, Commands commands)
    : session_(session), commands_(std::move(commands)) {}

template <class F>
void DesignSurface::Try(F&& change) {
  try {
    change();
  } catch (const fw::Exception& e) {
    if (on_error) on_error(e);
  }
  MarksMoved();
  if (commands_.changed) commands_.changed();
}

std::optional<pf::Rect> DesignSurface::SelectedRect() const {
  const auto* control = dynamic_cast<const fw::TControl*>(&session_.SelectedComponent());
  if (!control || control == &session_.Root()) return std::nullopt;
  const pf::Point at = control->ClientToForm({0, 0});
  return pf::Rect{at.x, at.y, at.x + control->Width(), at.y + control->Height()};
}

void DesignSurface::MarksMoved() {
  const std::optional<pf::Rect> now = SelectedRect();
  if (now == marked_) return;
  if (marked_) session_.Root().InvalidateArea(MarksArea(*marked_));
  if (now) session_.Root().InvalidateArea(MarksArea(*now));
  marked_ = now;
}

void DesignSurface::PaintOver(pf::Device& device, const pf::Rect& clip) {
  const std::optional<pf::Rect> rect = SelectedRect();
  if (rect && !MarksArea(*rect).Intersect(clip).IsEmpty()) PaintMarks(device, *rect);
}

void DesignSurface::Select(const fw::String& name) {
  session_.Select(name);
  MarksMoved();
  if (commands_.changed) commands_.changed();
}

// Through the form's components in the text's order, round, the form itself left out.
void DesignSurface::SelectNext(int direction) {
  const auto& objects = session_.Text().Objects();
  const int count = static_cast<int>(objects.size()) - 1;
  if (count <= 0) return;
  int at = 0;  // the form: a step forward finds the first
  for (int i = 1; i <= count; ++i) {
    if (objects[i].name == session_.Selected()) at = i;
  }
  if (at == 0 && direction < 0) at = 1;
  at = ((at - 1 + direction) % count + count) % count + 1;
  Select(objects[at].name);
}

// ---- the mouse ----------------------------------------------------------------------------

// A handle of the selection sizes it; else the topmost control there is selected and moves.
void DesignSurface::FormMouseDown(const pf::MouseEvent& e) {
  if (e.button != pf::MouseButton::Left || drag_) return;
  session_.Root().SetFocus();  // the keys go where the selection is made
  if (commands_.place && commands_.place(e.pos.x, e.pos.y)) return;
  const std::optional<pf::Rect> rect = SelectedRect();
  Grip grip = rect ? GripAt(*rect, e.pos) : Grip::kNone;
  if (grip == Grip::kNone || grip == Grip::kMove) {
    fw::TControl* hit = session_.Root().FindControlAt(e.pos, true);
    Select(hit == &session_.Root() ? fw::String() : hit->Name());
    grip = hit == &session_.Root() ? Grip::kNone : Grip::kMove;
  }
  if (grip == Grip::kNone) return;
  drag_ = Drag{grip, e.pos, session_.BoundsOf(session_.Selected())};
  session_.BeginStep();
  session_.Root().Window().SetCapture();
}

void DesignSurface::FormMouseMove(unsigned, pf::Point pos) {
  if (!drag_) {
    const std::optional<pf::Rect> rect = SelectedRect();
    const Grip over = rect ? GripAt(*rect, pos) : Grip::kNone;
    const bool handle = over != Grip::kNone && over != Grip::kMove;
    session_.Root().Window().SetCursor(handle ? pf::CursorShape::Cross : pf::CursorShape::Arrow);
    return;
  }
  const pf::Point by = Minus(pos, drag_->from);
  const Bounds wanted = Dragged(drag_->start, drag_->grip, by.x, by.y);
  Try([&] { session_.SetBounds(session_.Selected(), wanted); });
}

void DesignSurface::FormMouseUp(const pf::MouseEvent& e) {
  if (e.button != pf::MouseButton::Left || !drag_) return;
  session_.Root().Window().ReleaseCapture();
  EndDrag();
}

void DesignSurface::FormCaptureLost() { EndDrag(); }

void DesignSurface::EndDrag() {
  if (!drag_) return;
  drag_.reset();
  session_.EndStep();
}

// ---- the keys -----------------------------------------------------------------------------

void DesignSurface::FormKeyDown(const pf::KeyEvent& e) {
  if (commands_.command_key && commands_.command_key(e)) return;
  const bool shifted = (e.shift & pf::kShiftKey) != 0;
  switch (e.key) {
    case pf::kKeyTab: SelectNext(shifted ? -1 : 1); break;
    case pf::kKeyEscape: Select({}); break;  // the parent: every control lies on the form
    case pf::kKeyLeft:
    case pf::kKeyRight:
    case pf::kKeyUp:
    case pf::kKeyDown: Nudge(e); break;
    case pf::kKeyDelete:
      if (!session_.Selected().empty()) Try([&] { session_.Delete(session_.Selected()); });
      break;
    case pf::kKeyInsert:
    case pf::kKeyReturn: {
      // The chosen class next to the selection, or near the form's corner.
      const Bounds at = session_.Selected().empty() ? Bounds{0, 0, 0, 0}
                                                    : session_.BoundsOf(session_.Selected());
      if (commands_.place) commands_.place(at.left + kBigStep, at.top + kBigStep);
      break;
    }
    default: break;
  }
}

// The arrows move the selection a pixel (Ctrl: eight); with Shift they size it.
void DesignSurface::Nudge(const pf::KeyEvent& e) {
  const int step = (e.shift & pf::kCtrlKey) ? kBigStep : 1;
  const int dx = e.key == pf::kKeyLeft ? -step : e.key == pf::kKeyRight ? step : 0;
  const int dy = e.key == pf::kKeyUp ? -step : e.key == pf::kKeyDown ? step : 0;
  Bounds b = session_.BoundsOf(session_.Selected());
  if (e.shift & pf::kShiftKey) {
    b.width += dx;
    b.height += dy;
  } else {
    b.left += dx;
    b.top += dy;
  }
  Try([&] { session_.SetBounds(session_.Selected(), b); });
}

void DesignSurface::FormCloseRequest() {
  if (commands_.close) commands_.close();
}

}  // namespace designer
