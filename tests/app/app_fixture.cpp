#include "tests/app/app_fixture.h"

#include "buttoncomps/buttoncomps.h"
#include "framework/description/syntax.h"

namespace qf::test {

void HeadlessTest::SetUp() {
  auto platform = std::make_unique<pf::headless::HeadlessPlatform>();
  hp = platform.get();
  pf::Install(std::move(platform));
  // As the launcher: descriptions in the binary syntax only, until a test chooses text.
  fw::syntax::SetTextFrontEnd(nullptr);
}

void HeadlessTest::TearDown() { pf::Uninstall(); }

void AppTest::SetUp() {
  HeadlessTest::SetUp();
  application = new fw::TApplication(nullptr);
  application->Initialize();
  bc::RegisterClasses();
}

void AppTest::TearDown() {
  delete application;
  app::Form_Main = nullptr;
  HeadlessTest::TearDown();
}

app::TForm_Main* AppTest::NewMainForm() {
  application->CreateForm(app::Form_Main);
  form = app::Form_Main;
  return form;
}

void AppTest::Settle() {
  application->ProcessMessages();
  application->Idle();
}

void AppTest::RunFor(std::uint64_t ms) {
  const std::uint64_t end = hp->Now() + ms;
  hp->At(end, [] {});
  while (hp->Now() < end) application->HandleMessage();
  application->ProcessMessages();
}

pf::Point AppTest::CentreOf(const fw::TControl* c) const {
  return c->ClientToScreen({c->Width() / 2, c->Height() / 2});
}

void AppTest::ClickOn(const fw::TControl* c) {
  hp->MoveTo(CentreOf(c));
  Settle();
  hp->Press();
  hp->Release();
  Settle();
}

pf::headless::HeadlessWindow& AppTest::MainWindow() const { return *hp->WindowOf(form); }

std::vector<std::string> AppTest::Events(std::size_t from) const {
  std::vector<std::string> out;
  for (std::size_t i = from; i < hp->events.size(); ++i) {
    const std::string& e = hp->events[i];
    out.push_back(e.substr(e.find(' ') + 1));
  }
  return out;
}

std::uint64_t EventTime(const std::string& event) { return std::stoull(event.substr(0, event.find(' '))); }

}  // namespace qf::test
