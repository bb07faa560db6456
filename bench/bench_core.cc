// Folding and appending, measured against references in the same run:
// the fold of 64 MiB of parameter text against memcpy of the same bytes,
// and building the argument text for 16,000 extra arguments against 1,000.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "launcher/param_file.h"
#include "launcher/state.h"
#include "tests/unit/fake_platform.h"

namespace {

constexpr size_t kTextSize = 64u << 20;

// Typical parameter text: options, paths and words, blanks, tabs, CR LF.
const std::vector<char>& ParamText() {
  static std::vector<char> Text = [] {
    const char* Pieces[] = {"-I",   "include\\platform\\win32",
                            " ",    "-DNAME=value",
                            "\t",   "src\\launcher\\main.c",
                            "\r\n", "-o",
                            " ",    "build\\out.obj",
                            "  ",   "--flag",
                            "\r\n", "x",
                            " ",    "lib\\util.lib"};
    std::vector<char> T;
    T.reserve(kTextSize);
    for (size_t I = 0; T.size() < kTextSize; ++I) {
      const char* P = Pieces[(I * 7) % (sizeof Pieces / sizeof *Pieces)];
      T.insert(T.end(), P, P + std::strlen(P));
    }
    T.resize(kTextSize);
    return T;
  }();
  return Text;
}

void BM_Fold(benchmark::State& State) {
  const std::vector<char>& Text = ParamText();
  std::vector<char> Buf(Text.size());
  for (auto _ : State) {
    State.PauseTiming();
    std::memcpy(Buf.data(), Text.data(), Text.size());
    State.ResumeTiming();
    Launcher.CmdBuf = Buf.data();
    FlattenBuffer(static_cast<int32_t>(Buf.size()));
    benchmark::DoNotOptimize(Launcher.WritePos);
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * Text.size()));
}

void BM_Memcpy(benchmark::State& State) {
  const std::vector<char>& Text = ParamText();
  std::vector<char> Buf(Text.size());
  for (auto _ : State) {
    std::memcpy(Buf.data(), Text.data(), Text.size());
    benchmark::ClobberMemory();
  }
  State.SetBytesProcessed(static_cast<int64_t>(State.iterations() * Text.size()));
}

void BM_ExtraArgs(benchmark::State& State) {
  std::string CmdLine = "Trelm prog.exe list.txt";
  for (int64_t I = 0; I < State.range(0); ++I)
    CmdLine += " arg" + std::to_string(I);
  ResetFake(CmdLine);
  std::vector<char> Buf(CmdLine.size() + 2);
  Launcher.CmdBuf = Buf.data();
  Launcher.BufSize = static_cast<int32_t>(CmdLine.size());
  Launcher.OwnCmdLen = static_cast<int32_t>(CmdLine.size());
  for (auto _ : State) {
    Launcher.WritePos = 0;
    AppendExtraArgs();
    benchmark::DoNotOptimize(Launcher.WritePos);
  }
}

BENCHMARK(BM_Fold)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExtraArgs)->Arg(1000)->Arg(16000)->Unit(benchmark::kMicrosecond);

// Keeps each run's time per iteration so that the ratios can be printed.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& Runs) override {
    for (const Run& R : Runs)
      Seconds[R.benchmark_name()] = R.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(Runs);
  }
  std::map<std::string, double> Seconds;
};

} // namespace

int main(int Argc, char** Argv) {
  benchmark::Initialize(&Argc, Argv);
  RatioReporter Reporter;
  benchmark::RunSpecifiedBenchmarks(&Reporter);
  auto& S = Reporter.Seconds;
  if (S.count("BM_Fold") && S.count("BM_Memcpy"))
    std::printf("fold throughput / memcpy throughput: %.2f (goal: at least 0.33)\n",
                S["BM_Memcpy"] / S["BM_Fold"]);
  if (S.count("BM_ExtraArgs/1000") && S.count("BM_ExtraArgs/16000"))
    std::printf("extra arguments, time for 16000 / time for 1000: %.1f (goal: at most 20)\n",
                S["BM_ExtraArgs/16000"] / S["BM_ExtraArgs/1000"]);
  benchmark::Shutdown();
}
