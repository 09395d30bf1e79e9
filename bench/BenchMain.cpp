// Runs the benchmarks, then prints the ratios between pairs measured in this run.
//
// Shared machines slow down in bursts. So, unless told otherwise, each benchmark runs as many
// short repetitions shuffled among those of all the others, and a ratio compares medians: a
// burst then slows a few repetitions of both sides instead of the whole of one side.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

// The pairs the README quotes: numerator, denominator, and whether they compare CPU time
// (of the main thread; a benchmark that measures CPU itself reports it as its time) rather
// than elapsed time.
struct TRatio {
  const char* Top;
  const char* Bottom;
  bool Cpu = false;
};
constexpr TRatio kRatios[] = {
    {"BM_NextFrame/1920/1080", "BM_MemoryFloor/1920/1080"},
    {"BM_NextFrame/1920/1080", "BM_ReferenceFrame/1920/1080"},
    {"BM_FramePath/1920/1080", "BM_NextFrameOnScreen/1920/1080"},
    {"BM_PlotDraw/1920/1080", "BM_PlainLines/1920/1080"},
    // Pictures of 4000 x 3000 pixels.
    {"BM_JpegLoad", "BM_JpegLibraryDecode"},
    {"BM_Decode/bmp", "BM_MemcpyPixels"},
    {"BM_Encode/bmp", "BM_MemcpyPixels"},
    {"BM_Decode/pcx", "BM_MemcpyPixels"},
    {"BM_Encode/pcx", "BM_MemcpyPixels"},
    {"BM_Rotate90", "BM_MemcpyPixels"},
    {"BM_PcxRunsRead/words", "BM_MemcpyPixels"},
    {"BM_PcxRunsRead/blocks", "BM_MemcpyPixels"},
    {"BM_PcxRunsRead/wide", "BM_MemcpyPixels"},
    {"BM_PcxRunsCode/words", "BM_MemcpyPixels"},
    {"BM_PcxRunsCode/blocks", "BM_MemcpyPixels"},
    {"BM_PcxRunsCode/wide", "BM_MemcpyPixels"},
    {"BM_Ours/bmp/iterations:1/repeats:5", "BM_Convert/bmp/iterations:1/repeats:5"},
    {"BM_Ours/pcx/iterations:1/repeats:5", "BM_Convert/pcx/iterations:1/repeats:5"},
    {"BM_Ours/png/iterations:1/repeats:5", "BM_Convert/png/iterations:1/repeats:5"},
    {"BM_Ours/tif/iterations:1/repeats:5", "BM_Convert/tif/iterations:1/repeats:5"},
    {"BM_Ours/gif/iterations:1/repeats:5", "BM_Convert/gif/iterations:1/repeats:5"},
    {"BM_Ours/jpg/iterations:1/repeats:5", "BM_Convert/jpg/iterations:1/repeats:5"},
    {"BM_Ours/rotate30/iterations:1/repeats:5", "BM_Convert/rotate30/iterations:1/repeats:5"},
    {"BM_PacedFrame/1920/1080/manual_time", "BM_NextFrame/1920/1080", true},
    {"BM_PacedFrame/3840/2160/manual_time", "BM_NextFrame/3840/2160", true},
    {"BM_SourcePattern/3840/2160", "BM_ReferencePattern/3840/2160"},
    {"BM_SourcePattern/3840/2160", "BM_PlainWrite/3840/2160"},
};

// Placed before the caller's own arguments, which therefore win.
const char* const kDefaultFlags[] = {
    "--benchmark_repetitions=20",
    "--benchmark_min_time=0.05",
    "--benchmark_enable_random_interleaving=true",
    "--benchmark_report_aggregates_only=true",
};

class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (IsRepresentative(run)) {
        FTimes[run.run_name.str()] = run.GetAdjustedRealTime();
        FCpuTimes[run.run_name.str()] = run.GetAdjustedCPUTime();
      }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const TRatio& ratio : kRatios) {
      const std::map<std::string, double>& times = ratio.Cpu ? FCpuTimes : FTimes;
      const auto a = times.find(ratio.Top), b = times.find(ratio.Bottom);
      if (a != times.end() && b != times.end() && b->second > 0)
        std::printf("ratio %s / %s = %.3f%s\n", ratio.Top, ratio.Bottom, a->second / b->second,
                    ratio.Cpu ? " (CPU)" : "");
    }
  }

 private:
  // The median of repeated runs, or the one run there is.
  static bool IsRepresentative(const Run& run) {
    if (run.error_occurred) return false;
    if (run.run_type == Run::RT_Aggregate) return run.aggregate_name == "median";
    return run.repetitions <= 1;
  }

  std::map<std::string, double> FTimes;
  std::map<std::string, double> FCpuTimes;
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<char*> args{argv[0]};
  for (const char* flag : kDefaultFlags) args.push_back(const_cast<char*>(flag));
  args.insert(args.end(), argv + 1, argv + argc);
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
