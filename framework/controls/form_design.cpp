// A form and the design environment attached to it. In a file of its own: a program that never
// designs a form does not link it.
#include "framework/controls/forms.h"
#include "framework/controls/forms_application.h"

namespace fw {

void TCustomForm::SetDesigner(TFormDesigner* designer) {
  if (designer == designer_) return;
  ReleaseMouseControl();  // a press under way ends without its click
  designer_ = designer;
  SetDesigning(designer != nullptr);
  ApplyOpacity();
  if (window_->IsVisible()) ApplyBorderStyle();
  choices_.CueMayHaveMoved();  // none while designed; where the current choice is, once run
  PlaceFocusCue();
  Invalidate();  // the designer's marks come or go
  // What is under the pointer starts or stops lighting: the idle asks where it is.
  if (TFormsApplication* app = FormsApplication()) app->PointerUnknown();
}

}  // namespace fw
