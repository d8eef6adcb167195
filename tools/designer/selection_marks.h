#pragma once
// The marks round the selected control and what the mouse does with them: eight grab handles on
// its corners and the middles of its edges, which size it, and its inside, which moves it.
#include <array>

#include "platform/device.h"
#include "platform/geometry.h"
#include "tools/designer/design_session.h"

namespace designer {

enum class Grip { kNone, kMove, kLeft, kTopLeft, kTop, kTopRight, kRight, kBottomRight, kBottom,
                  kBottomLeft };

// The handles' squares round `control` (form client coordinates), in Grip order from kLeft.
std::array<pf::Rect, 8> HandleRects(const pf::Rect& control);
// What a press at `p` takes hold of: a handle, the control itself, or nothing.
Grip GripAt(const pf::Rect& control, pf::Point p);
// The bounds a drag of `grip` by (dx, dy) gives `start`: the gripped edges follow the pointer,
// the others stay, and no side goes below 0.
Bounds Dragged(const Bounds& start, Grip grip, int dx, int dy);
// What the marks cover: the control's rectangle and its handles.
pf::Rect MarksArea(const pf::Rect& control);
// Draws the marks on a device set to form client coordinates.
void PaintMarks(pf::Device& device, const pf::Rect& control);

}  // namespace designer
