// Runs the benchmarks as usual, then prints the ratios between pairs measured in this run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

// The pairs the README quotes: numerator, denominator.
constexpr std::pair<const char*, const char*> kRatios[] = {
    {"BM_NextFrame/1920/1080", "BM_MemoryFloor/1920/1080"},
    {"BM_NextFrame/1920/1080", "BM_ReferenceFrame/1920/1080"},
    {"BM_FramePath/1920/1080", "BM_NextFrameOnScreen/1920/1080"},
};

class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration && !run.error_occurred) FTimes[run.benchmark_name()] = run.GetAdjustedRealTime();
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const auto& [top, bottom] : kRatios) {
      const auto a = FTimes.find(top), b = FTimes.find(bottom);
      if (a != FTimes.end() && b != FTimes.end() && b->second > 0)
        std::printf("ratio %s / %s = %.3f\n", top, bottom, a->second / b->second);
    }
  }

 private:
  std::map<std::string, double> FTimes;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
