// Starts programs under the X server of $DISPLAY (a private Xvfb: see bench/first_frame.sh),
// alternately, and reports for each the time from exec to its first complete frame (the window's
// pixels read back equal the artwork), whether any start showed another frame first, the bytes
// it put to the server, the bytes put per hover change, and its peak resident memory.
//
//   qf_first_frame --jpeg ART.jpg --reference qf_reference_window --program "NAME=PATH [ARG...]"...
//                  [--runs N] [--hover X,Y]
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "put_recorder.h"
#include "window_sampler.h"

extern char** environ;

namespace qf_bench {
namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// The path and its arguments, as "PATH ARG..." gives them (no blanks within them).
std::vector<std::string> Words(const std::string& command) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while (at < command.size()) {
    const std::size_t end = std::min(command.find(' ', at), command.size());
    if (end > at) words.push_back(command.substr(at, end - at));
    at = end + 1;
  }
  return words;
}

struct Program {
  Program(std::string n, const std::string& command) : name(std::move(n)), argv(Words(command)) {}
  std::string name;
  std::vector<std::string> argv;
  std::vector<double> complete_ms;
  int starts_with_other_frames = 0;
  int failed_starts = 0;
  std::vector<std::uint64_t> start_bytes;
  std::vector<std::uint64_t> hover_bytes;
  long peak_rss_kb = 0;
};

struct Options {
  std::string jpeg;
  std::vector<Program> programs;
  int runs = 15;
  int hover_x = 478, hover_y = 316;
};

Options Parse(int argc, char** argv) {
  Options o;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string key = argv[i], value = argv[i + 1];
    if (key == "--jpeg") {
      o.jpeg = value;
    } else if (key == "--reference") {
      o.programs.insert(o.programs.begin(), Program("reference", value));
    } else if (key == "--program" && value.find('=') != std::string::npos) {
      o.programs.push_back(
          Program(value.substr(0, value.find('=')), value.substr(value.find('=') + 1)));
    } else if (key == "--runs") {
      o.runs = std::max(1, std::atoi(value.c_str()));
    } else if (key == "--hover" &&
               std::sscanf(value.c_str(), "%d,%d", &o.hover_x, &o.hover_y) == 2) {
    } else {
      throw std::runtime_error("unknown or malformed option " + key);
    }
  }
  if (o.jpeg.empty() || o.programs.size() < 2 || o.programs.front().name != "reference")
    throw std::runtime_error(
        "usage: qf_first_frame --jpeg ART.jpg --reference PATH --program NAME=PATH... [--runs N] "
        "[--hover X,Y]");
  for (Program& p : o.programs) {
    if (p.name == "reference") p.argv.push_back(o.jpeg);
  }
  return o;
}

pid_t Spawn(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) throw std::runtime_error("cannot start " + args[0] + ": " + std::strerror(rc));
  return pid;
}

long PeakRssKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return 0;
}

void Stop(pid_t pid) {
  kill(pid, SIGTERM);
  int status = 0;
  waitpid(pid, &status, 0);
}

// Waits up to `ms` for the server's events and records, handling them.
void Pump(WindowSampler& sampler, PutRecorder& recorder, int ms) {
  pollfd fds[2] = {{sampler.fd(), POLLIN, 0}, {recorder.fd(), POLLIN, 0}};
  poll(fds, 2, ms);
  recorder.Poll();
  sampler.HandleEvents();
}

// Moves the pointer on and off the button; the bytes the program puts for each change, once
// its window shows the change and the program has been quiet for 150 ms.
void MeasureHover(const Options& o, WindowSampler& sampler, PutRecorder& recorder, Program& p) {
  for (int change = 0; change < 4; ++change) {
    const bool over = change % 2 == 0;
    const std::uint64_t before = recorder.bytes;
    sampler.WarpPointerToWindow(over ? o.hover_x : 5, over ? o.hover_y : 5);
    const Clock::time_point t0 = Clock::now();
    while (MsSince(t0) < 2000 && sampler.MatchesArtwork() == over) Pump(sampler, recorder, 1);
    std::uint64_t seen = recorder.bytes;
    Clock::time_point quiet = Clock::now();
    while (MsSince(quiet) < 150) {
      Pump(sampler, recorder, 10);
      if (recorder.bytes != seen) {
        seen = recorder.bytes;
        quiet = Clock::now();
      }
    }
    p.hover_bytes.push_back(recorder.bytes - before);
  }
}

void RunOnce(const Options& o, WindowSampler& sampler, PutRecorder& recorder, Program& p,
             bool detail) {
  sampler.WarpPointer(0, 0);
  sampler.Reset();
  recorder.Poll();
  recorder.Check(true);
  recorder.bytes = 0;
  recorder.foreign_puts = 0;
  const Clock::time_point t0 = Clock::now();
  const pid_t pid = Spawn(p.argv);
  bool other_frame = false;
  double complete = -1;
  while (MsSince(t0) < 10000) {
    if (sampler.Mapped()) {
      if (sampler.MatchesArtwork()) {
        complete = MsSince(t0);
        break;
      }
      other_frame = true;
      recorder.Poll();
      sampler.HandleEvents();
      continue;
    }
    Pump(sampler, recorder, 1);
  }
  // The puts of the start that crossed the wire before the frame was complete.
  Pump(sampler, recorder, 20);
  recorder.Check(false);
  if (recorder.foreign_puts > 0) other_frame = true;
  if (complete < 0) {
    ++p.failed_starts;
  } else {
    p.complete_ms.push_back(complete);
    p.start_bytes.push_back(recorder.bytes);
  }
  if (other_frame) ++p.starts_with_other_frames;
  if (detail && complete >= 0) {
    // The fade-in (2.45 s) ends first: the peak memory covers it and the hovers.
    while (MsSince(t0) < 3000) Pump(sampler, recorder, 50);
    MeasureHover(o, sampler, recorder, p);
    p.peak_rss_kb = PeakRssKb(pid);
  }
  Stop(pid);
  sampler.WaitUntilGone();
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

void Report(const Options& o, int width, int height) {
  const double reference = Median(o.programs.front().complete_ms);
  std::printf("%-12s %6s %9s %9s %9s %7s %11s %12s %13s %9s\n", "program", "starts", "median_ms",
              "min_ms", "max_ms", "ratio", "other_frame", "start_bytes", "hover_bytes", "VmHWM_kB");
  for (const Program& p : o.programs) {
    const auto& t = p.complete_ms;
    std::vector<double> start(p.start_bytes.begin(), p.start_bytes.end());
    std::vector<double> hover(p.hover_bytes.begin(), p.hover_bytes.end());
    std::printf("%-12s %6zu %9.2f %9.2f %9.2f %7.2f %11d %12.0f %13.0f %9ld\n", p.name.c_str(),
                t.size(), Median(t), t.empty() ? 0 : *std::min_element(t.begin(), t.end()),
                t.empty() ? 0 : *std::max_element(t.begin(), t.end()),
                reference > 0 ? Median(t) / reference : 0, p.starts_with_other_frames,
                Median(start), Median(hover), p.peak_rss_kb);
    if (p.failed_starts > 0)
      std::printf("  %s: %d starts showed no complete frame\n", p.name.c_str(), p.failed_starts);
  }
  std::printf(
      "artwork %d x %d; runs per program %d; hover at %d,%d (bytes per change, median of 4)\n",
      width, height, o.runs, o.hover_x, o.hover_y);
}

}  // namespace
}  // namespace qf_bench

int main(int argc, char** argv) {
  using namespace qf_bench;
  try {
    Options o = Parse(argc, argv);
    const Picture artwork = DecodeJpegFile(o.jpeg);
    PutRecorder recorder(artwork);
    WindowSampler sampler(artwork);
    for (int run = 0; run < o.runs; ++run) {
      // Alternately, each run starting with the next program.
      for (std::size_t k = 0; k < o.programs.size(); ++k) {
        Program& p = o.programs[(run + k) % o.programs.size()];
        // Each program's first start also measures hovers and memory, after the timed part.
        RunOnce(o, sampler, recorder, p, run == 0);
      }
    }
    Report(o, artwork.width, artwork.height);
    // Not timing: a start that never completes, or a launcher that shows another frame first,
    // is a fault. The reference maps before it puts; what it shows first is only reported.
    bool ok = true;
    for (const Program& p : o.programs) {
      ok = ok && p.failed_starts == 0 && (p.name == "reference" || p.starts_with_other_frames == 0);
    }
    return ok ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "qf_first_frame: %s\n", e.what());
    return 2;
  }
}
