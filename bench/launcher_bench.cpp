// The launcher's costs on the headless platform: building the main form from its description and
// painting the first frame, one hover change of a button, and decoding the background.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/program_resources.h"
#include "buttoncomps/buttoncomps.h"
#include "app/unit1.h"
#include "framework/application.h"
#include "platform/headless/headless_platform.h"

namespace {

// A headless platform and an application object for one benchmark.
class Launcher {
 public:
  Launcher() {
    auto platform = std::make_unique<pf::headless::HeadlessPlatform>();
    hp = platform.get();
    pf::Install(std::move(platform));
    app::RegisterProgramResources();
    application = std::make_unique<fw::TApplication>(nullptr);
    application->Initialize();
    bc::RegisterClasses();
  }
  ~Launcher() {
    application.reset();
    pf::Uninstall();
  }
  app::TForm_Main* NewForm() { return new app::TForm_Main(application.get()); }

  pf::headless::HeadlessPlatform* hp;
  std::unique_ptr<fw::TApplication> application;
};

void BM_BuildFormAndPaintFirstFrame(benchmark::State& state) {
  Launcher launcher;
  for (auto _ : state) {
    app::TForm_Main* form = launcher.NewForm();
    launcher.application->ProcessMessages();
    benchmark::DoNotOptimize(launcher.hp->WindowOf(form)->paint_count);
    state.PauseTiming();
    fw::Free(form);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BuildFormAndPaintFirstFrame)->Unit(benchmark::kMillisecond);

void BM_HoverChange(benchmark::State& state) {
  Launcher launcher;
  app::TForm_Main* form = launcher.NewForm();
  launcher.application->ProcessMessages();
  const pf::Point on = form->ImageButton3->ClientToScreen({90, 13});
  const pf::Point off = form->ClientToScreen({300, 50});
  bool over = false;
  for (auto _ : state) {
    over = !over;
    launcher.hp->MoveTo(over ? on : off);
    launcher.application->ProcessMessages();
    launcher.application->Idle();  // the enter or the leave draws at once
    launcher.application->ProcessMessages();
  }
}
BENCHMARK(BM_HoverChange)->Unit(benchmark::kMicrosecond);

void BM_DecodeBackground(benchmark::State& state) {
  Launcher launcher;
  app::TForm_Main* form = launcher.NewForm();
  const std::string bytes = form->Image1->Picture()->Graphic()->SaveToBytes();
  for (auto _ : state) {
    fw::TJPEGImage jpeg;
    jpeg.LoadFromBytes(bytes);
    benchmark::DoNotOptimize(jpeg.Decoded().Pixel(0, 0));
  }
}
BENCHMARK(BM_DecodeBackground)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
