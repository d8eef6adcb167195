#include "tools/designer/prompt.h"

#include <vector>

#include "buttoncomps/sel_button.h"
#include "framework/controls/edit.h"
#include "framework/controls/label.h"

namespace designer {
namespace {

enum class Answer { kWaiting, kGiven, kDeclined };

class TPromptForm : public fw::TForm {
 public:
  TPromptForm(fw::TComponent* owner, Answer& answer) : fw::TForm(owner), answer_(answer) {}
  void WindowCloseRequest() override { answer_ = Answer::kDeclined; }

 private:
  Answer& answer_;
};

bc::TSelButton* Button(fw::TForm& form, const fw::String& caption, int left, Answer& answer,
                       Answer gives) {
  auto* button = new bc::TSelButton(&form);
  button->SetParent(&form);
  button->SetBounds(left, 64, 80, 22);
  button->SetCol(0x00E8E8E8);
  button->SetBorder(fw::clGray);
  button->SetBWidth(1);
  button->SetAlment(fw::TAlignment::taCenter);
  button->Font()->SetColor(fw::clBlack);
  button->SetCap(caption);
  button->OnClick = fw::TNotifyEvent([&answer, gives](fw::TObject*) { answer = gives; });
  return button;
}

// The dialog: the question, a field with `initial`, OK and Cancel; Esc declines.
TPromptForm* MakePrompt(fw::TApplication& application, const fw::String& caption,
                        const fw::String& question, const fw::String& initial, Answer& answer,
                        fw::TEdit*& field) {
  auto* form = new TPromptForm(&application, answer);
  form->SetBorderStyle(fw::TFormBorderStyle::bsDialog);
  form->SetPosition(fw::TPosition::poScreenCenter);
  form->SetCaption(caption);
  form->SetBounds(0, 0, 360, 94);
  auto* label = new fw::TLabel(form);
  label->SetParent(form);
  label->SetTransparent(true);
  label->SetCaption(question);
  label->SetLeft(8);
  label->SetTop(8);
  field = new fw::TEdit(form);
  field->SetParent(form);
  field->SetHint(question);
  field->SetBounds(8, 30, 344, 21);
  field->SetText(initial);
  field->OnAccept = fw::TNotifyEvent([&answer](fw::TObject*) { answer = Answer::kGiven; });
  Button(*form, "OK", 184, answer, Answer::kGiven);
  Button(*form, "Cancel", 272, answer, Answer::kDeclined);
  form->SetKeyPreview(true);
  form->OnKeyDown = fw::TKeyEvent([&answer](fw::TObject*, unsigned& key, fw::TShiftState) {
    if (key == pf::kKeyEscape) {
      answer = Answer::kDeclined;
      key = 0;
    }
  });
  return form;
}

// The other windows wait: disabled, they take no input until the question is answered.
std::vector<fw::TCustomForm*> DisableOthers(fw::TApplication& application,
                                            const fw::TCustomForm* except) {
  std::vector<fw::TCustomForm*> waiting;
  for (int i = 0; i < application.ComponentCount(); ++i) {
    auto* other = dynamic_cast<fw::TCustomForm*>(application.Components(i));
    if (other && other != except && other->GetEnabled()) waiting.push_back(other);
  }
  for (fw::TCustomForm* other : waiting) other->SetEnabled(false);
  return waiting;
}

}  // namespace

std::optional<fw::String> AskText(fw::TApplication& application, const fw::String& caption,
                                  const fw::String& question, const fw::String& initial) {
  Answer answer = Answer::kWaiting;
  fw::TEdit* field = nullptr;
  TPromptForm* form = MakePrompt(application, caption, question, initial, answer, field);
  const std::vector<fw::TCustomForm*> waiting = DisableOthers(application, form);
  form->Show();
  form->SetFocus();
  while (answer == Answer::kWaiting && !application.Terminated()) application.HandleMessage();
  const fw::String text = field->Text();
  for (fw::TCustomForm* other : waiting) other->SetEnabled(true);
  fw::Free(form);
  if (answer != Answer::kGiven) return std::nullopt;
  return text;
}

}  // namespace designer
