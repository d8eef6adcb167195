// Text over what is there: a file of its own, so that a program that never draws it does not
// carry it.
#include "framework/graphics/canvas.h"

namespace fw {

void TCanvas::TextOutTransparent(int x, int y, const String& text) {
  Lease device = Acquire();
  device->SelectFont(font_->Logical());
  device->TextOutTransparent({x, y}, text, ColorToRGB(font_->Color()));
}

}  // namespace fw
