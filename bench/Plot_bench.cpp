// The plot's Draw of 100000 segments at 1920x1080 against a plain loop that draws the same
// segments, already in pixels, straight onto a canvas: what the mapping, the safety checks
// and the axes cost.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "components/Canvas2D.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

namespace {

constexpr int kSegments = 100000;

// A noisy sine across 0 ... 20, within -8 ... 8: dense, as a measured signal is.
struct TSignal {
  std::vector<double> X, Y;
  TSignal() {
    std::uint32_t noise = 12345;
    for (int i = 0; i <= kSegments; ++i) {
      noise = noise * 1664525u + 1013904223u;
      X.push_back(20.0 * i / kSegments);
      Y.push_back(6 * std::sin(X.back()) + 1.5 * (noise >> 8) / double(1u << 24));
    }
  }
};

// A plot whose surface is the given size, showing the signal's range.
struct TPlotRig {
  TCanvas2D Plot{nullptr};
  TPlotRig(int width, int height) {
    Plot.SetBounds(0, 0, width + 8, height + 8);
    Plot.SetAxisXMax(20);
    Plot.SetAxisYMin(-8);
    Plot.SetAxisYMax(8);
    Plot.Draw();
  }
};

void BM_PlotDraw(benchmark::State& state) {
  const TSignal signal;
  TPlotRig rig(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  TCanvas2D& plot = rig.Plot;
  plot.OnDraw = [&](TComponent*) {
    plot.Canvas().Pen.Color = clAqua;
    for (int i = 0; i < kSegments; ++i) plot.Line(signal.X[i], signal.Y[i], signal.X[i + 1], signal.Y[i + 1]);
  };
  for (auto _ : state) plot.Draw();
  state.SetItemsProcessed(state.iterations() * kSegments);
}
BENCHMARK(BM_PlotDraw)->Args({1920, 1080})->Unit(benchmark::kMillisecond);

// The same picture without the plot: clear, clip to the same area, the same pixels' lines.
void BM_PlainLines(benchmark::State& state) {
  const TSignal signal;
  const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
  TPlotRig rig(w, h);
  std::vector<TPoint> points;
  for (int i = 0; i <= kSegments; ++i)
    points.push_back({rig.Plot.ValToScrX(signal.X[i]), rig.Plot.ValToScrY(signal.Y[i])});
  const TRect area{rig.Plot.AxisXMargin() + 1, rig.Plot.AxisYMargin() + 1, w - rig.Plot.AxisXMargin(),
                   h - rig.Plot.AxisYMargin()};
  TBitmap bitmap(w, h);
  TCanvas& canvas = bitmap.Canvas();
  for (auto _ : state) {
    canvas.ClearClipRect();
    canvas.Brush.Color = clNavy;
    canvas.FillRect({0, 0, w, h});
    canvas.SetClipRect(area);
    canvas.Pen.Color = clAqua;
    for (int i = 0; i < kSegments; ++i) {
      canvas.MoveTo(points[i].X, points[i].Y);
      canvas.LineTo(points[i + 1].X, points[i + 1].Y);
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kSegments);
}
BENCHMARK(BM_PlainLines)->Args({1920, 1080})->Unit(benchmark::kMillisecond);

}  // namespace
