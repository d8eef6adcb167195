// The launcher's costs on the headless platform: the whole start from the embedded form to the
// first complete frame, one hover change of a button with the bytes it puts on the screen, and
// decoding the background.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "app/unit1.h"
#include "buttoncomps/buttoncomps.h"
#include "framework/controls/application.h"
#include "framework/graphics/jpeg.h"
#include "platform/headless/headless_platform.h"

namespace {

// A headless platform and an application object for one benchmark.
class Launcher {
 public:
  Launcher() {
    auto platform = std::make_unique<pf::headless::HeadlessPlatform>();
    hp = platform.get();
    pf::Install(std::move(platform));
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

// From the embedded description to the first frame put on the (headless) screen: reading the
// form, decoding its pictures, the first paint and its put.
void BM_StartToFirstFrame(benchmark::State& state) {
  Launcher launcher;
  std::uint64_t bytes = 0;
  for (auto _ : state) {
    app::TForm_Main* form = launcher.NewForm();
    launcher.application->ProcessMessages();
    pf::headless::HeadlessWindow* window = launcher.hp->WindowOf(form);
    state.PauseTiming();
    if (window->puts.empty() || window->puts.front() != pf::Rect{0, 0, 600, 400}) {
      state.SkipWithError("the first frame was not put whole");
    }
    bytes += window->PutBytes();
    fw::Free(form);
    state.ResumeTiming();
  }
  state.counters["bytes_put"] =
      benchmark::Counter(static_cast<double>(bytes), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_StartToFirstFrame)->Unit(benchmark::kMillisecond);

// The pointer onto a button or off it: the enter or leave, its drawing, and the put that follows
// at the next turn of the loop. bytes_put is per change; the button is 185 x 27.
void BM_HoverChange(benchmark::State& state) {
  Launcher launcher;
  app::TForm_Main* form = launcher.NewForm();
  launcher.application->ProcessMessages();
  pf::headless::HeadlessWindow* window = launcher.hp->WindowOf(form);
  const pf::Point on = form->ImageButton3->ClientToScreen({90, 13});
  const pf::Point off = form->ClientToScreen({300, 50});
  const std::uint64_t start_bytes = window->PutBytes();
  bool over = false;
  for (auto _ : state) {
    over = !over;
    launcher.hp->MoveTo(over ? on : off);
    launcher.application->ProcessMessages();
    launcher.application->Idle();  // the enter or the leave draws at once
    launcher.application->ProcessMessages();
  }
  state.counters["bytes_put"] = benchmark::Counter(
      static_cast<double>(window->PutBytes() - start_bytes), benchmark::Counter::kAvgIterations);
  state.counters["button_bytes"] = 4.0 * form->ImageButton3->Width() * form->ImageButton3->Height();
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
