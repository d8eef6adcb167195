#include "tests/ui/ui_fixture.h"

#include <algorithm>

#include "framework/description_tools/text_parser.h"

namespace qf::test {

Probe::Probe(fw::TComponent* owner, std::vector<std::string>& log, fw::TColor fill)
    : fw::TGraphicControl(owner), log_(log), fill_(fill) {}

std::string Probe::Describe(const char* what, fw::TMouseButton b, fw::TShiftState s, int x,
                            int y) const {
  static const char* kButtons[] = {"L", "R", "M"};
  std::string text = Name() + " " + what + " " + kButtons[static_cast<int>(b)] + " " +
                     std::to_string(x) + "," + std::to_string(y);
  if (s.Contains(fw::TShiftFlag::ssDouble)) text += " dbl";
  return text;
}

void Probe::MouseDown(fw::TMouseButton b, fw::TShiftState s, int x, int y) {
  log_.push_back(Describe("down", b, s, x, y));
  fw::TGraphicControl::MouseDown(b, s, x, y);
}

void Probe::MouseUp(fw::TMouseButton b, fw::TShiftState s, int x, int y) {
  log_.push_back(Describe("up", b, s, x, y));
  fw::TGraphicControl::MouseUp(b, s, x, y);
}

void Probe::Click() {
  log_.push_back(Name() + " click");
  fw::TGraphicControl::Click();
  // A copy: the handler may destroy this control.
  auto handler = on_click;
  if (handler) handler();
}

void Probe::Dispatch(fw::TMessage& m) {
  if (m.Msg == fw::CM_MOUSEENTER) {
    log_.push_back(Name() + " enter");
  } else if (m.Msg == fw::CM_MOUSELEAVE) {
    log_.push_back(Name() + " leave");
  } else {
    fw::TGraphicControl::Dispatch(m);
  }
}

void Probe::Paint() {
  Canvas()->Brush()->SetColor(fill_);
  Canvas()->FillRect(ClientRect());
}

bool ChoiceProbe::KeyDown(unsigned key, fw::TShiftState) {
  const bool taken = std::find(takes.begin(), takes.end(), key) != takes.end();
  log_.push_back(Name() + (taken ? " takes key " : " leaves key ") + std::to_string(key));
  return taken;
}

void ChoiceProbe::KeyPress(char c) { log_.push_back(Name() + " char " + c); }

void UiTest::SetUp() {
  auto platform = std::make_unique<pf::headless::HeadlessPlatform>();
  hp = platform.get();
  pf::Install(std::move(platform));
  app = new fw::TApplication(nullptr);
  app->Initialize();
  fw::AcceptTextDescriptions();  // the tests' descriptions are text
}

void UiTest::TearDown() {
  delete app;
  pf::Uninstall();
}

void UiTest::Settle() {
  app->ProcessMessages();
  app->Idle();
}

fw::TForm* UiTest::NewForm() {
  auto* form = new fw::TForm(app);
  form->SetName("Form" + std::to_string(app->ComponentCount()));
  form->SetColor(fw::clWhite);
  form->SetBounds(100, 50, 200, 100);
  form->Show();
  return form;
}

namespace {
template <class P>
P* Placed(P* probe, fw::TForm* form, const std::string& name, pf::Rect bounds) {
  probe->SetName(name);
  probe->SetBounds(bounds.left, bounds.top, bounds.Width(), bounds.Height());
  probe->SetParent(form);
  return probe;
}
}  // namespace

Probe* UiTest::NewProbe(fw::TForm* form, const std::string& name, pf::Rect bounds,
                        fw::TColor fill) {
  return Placed(new Probe(form, log, fill), form, name, bounds);
}

ChoiceProbe* UiTest::NewChoice(fw::TForm* form, const std::string& name, pf::Rect bounds) {
  return Placed(new ChoiceProbe(form, log), form, name, bounds);
}

pf::headless::HeadlessWindow& UiTest::WindowOf(const fw::TForm* form) const {
  return *hp->WindowOf(form);
}

}  // namespace qf::test
