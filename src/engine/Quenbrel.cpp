#include "Quenbrel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <numbers>

#include "PaletteLookup.h"
#include "SourcePattern.h"
#include "Truncation.h"
#include "components/VekImage.h"
#include "framework/base/Stream.h"
#include "framework/base/WholeFile.h"
#include "framework/graphics/Color.h"
#include "vekutils/Vekutils.h"

// ---------------------------------------------------------------------------------------
// Arithmetic helpers. The effect's numbers are defined in 80-bit extended precision
// (long double on x86-64) with truncation toward zero, and its counters wrap as signed
// 32-bit integers.

namespace {

constexpr int kCosEntries = 3600;

std::int32_t WrappingAdd(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

// |v| mod m without overflow for the most negative value.
int MagnitudeMod(std::int32_t v, int m) { return static_cast<int>(std::llabs(std::int64_t{v}) % m); }

// trunc(cos * half) + half: a layer's offset along one axis.
std::int32_t LayerOffset(double cosine, int half) { return TruncToInt(static_cast<long double>(cosine) * half) + half; }

// The row or column read for position r of a pattern of n entries, mirrored beyond its end:
// n reads n - 1 again, n + 1 reads n - 2, and so on.
int Mirrored(int r, int n) { return r < n ? r : 2 * n - r - 1; }

// ---------------------------------------------------------------------------------------
// The frame kernel. Along a row each layer reads its source row forwards from its offset up
// to the right edge and backwards after it, so a row splits into at most three spans in
// which both layers walk in a fixed direction; each span is one tight, vectorisable loop.

template <int StepA, int StepB>
void AddSpan(std::uint32_t* __restrict out, const std::uint32_t* a, const std::uint32_t* b, int count) {
  for (int i = 0; i < count; ++i) out[i] = a[StepA * i] + b[StepB * i];
}

void AddPixels(std::uint32_t* out, const std::uint32_t* a, int stepA, const std::uint32_t* b, int stepB, int count) {
  if (stepA > 0 && stepB > 0) AddSpan<1, 1>(out, a, b, count);
  else if (stepA > 0) AddSpan<1, -1>(out, a, b, count);
  else if (stepB > 0) AddSpan<-1, 1>(out, a, b, count);
  else AddSpan<-1, -1>(out, a, b, count);
}

// One source row as a layer reads it: its pixel values, their palette indexes (or null),
// and the layer's column offset.
struct TLayerRow {
  const std::uint32_t* Pixels;
  const std::uint8_t* Indexes;
  int Offset;
};

// Where a layer's span from column `from` of the frame starts in its row, and the direction
// it reads in.
struct TSpanStart {
  int Column;
  int Step;
};

TSpanStart SpanStart(const TLayerRow& layer, int from, int width) {
  if (from >= width - layer.Offset) return {2 * width - layer.Offset - from - 1, -1};
  return {layer.Offset + from, 1};
}

// Each span sums the palette entries of indexes where the processor can (a quarter of the
// bytes to read), pixel values elsewhere.
void ComposeRow(std::uint32_t* out, TLayerRow layer0, TLayerRow layer1, int width, const TPaletteLookup* palette) {
  const int turn0 = width - layer0.Offset;
  const int turn1 = width - layer1.Offset;
  const int cuts[4] = {0, std::min(turn0, turn1), std::max(turn0, turn1), width};
  for (int span = 0; span < 3; ++span) {
    const int from = cuts[span];
    const int count = cuts[span + 1] - from;
    if (count <= 0) continue;
    const TSpanStart a = SpanStart(layer0, from, width);
    const TSpanStart b = SpanStart(layer1, from, width);
    if (palette &&
        palette->Sum(out + from, layer0.Indexes + a.Column, a.Step, layer1.Indexes + b.Column, b.Step, count))
      continue;
    AddPixels(out + from, layer0.Pixels + a.Column, a.Step, layer1.Pixels + b.Column, b.Step, count);
  }
}

// What one frame reads: its size, and each layer's offsets limited to it (offsets computed
// for an earlier, larger size would otherwise reach outside the source).
struct TFrameLayout {
  int Width;
  int Height;
  int OffsetX[2];
  int OffsetY[2];
};

TFrameLayout LayoutFor(const TQuenbrelMotion& motion, int width, int height) {
  TFrameLayout layout{width, height, {}, {}};
  for (int k = 0; k < 2; ++k) {
    layout.OffsetX[k] = std::clamp(motion.OffsetX[k], 0, width);
    layout.OffsetY[k] = std::clamp(motion.OffsetY[k], 0, height);
  }
  return layout;
}

// The source as frames read it: its pixel values, and the palette indexes of the same pixels
// with the palette they were drawn with (both null where there are none).
struct TSourceRows {
  const TBitmap& Pixels;
  const std::uint8_t* Indexes;
  const TPaletteLookup* Palette;

  TLayerRow Layer(int row, int offset) const {
    const std::uint8_t* indexes = Indexes ? Indexes + static_cast<std::size_t>(row) * Pixels.Width() : nullptr;
    return {Pixels.Row32(row), indexes, offset};
  }
};

void ComposeRows(TBitmap& target, const TSourceRows& source, const TFrameLayout& layout, int top, int bottom) {
  for (int y = top; y < bottom; ++y) {
    const TLayerRow layer0 = source.Layer(Mirrored(layout.OffsetY[0] + y, layout.Height), layout.OffsetX[0]);
    const TLayerRow layer1 = source.Layer(Mirrored(layout.OffsetY[1] + y, layout.Height), layout.OffsetX[1]);
    ComposeRow(target.Row32(y), layer0, layer1, layout.Width, source.Palette);
  }
}

}  // namespace

TQuenbrelMotion& QuenbrelMotion() {
  static TQuenbrelMotion motion;
  return motion;
}

// ---------------------------------------------------------------------------------------
// Life cycle

TQuenbrel::TQuenbrel() : TQuenbrel(AppDir() + SettingsFileName) {}

TQuenbrel::TQuenbrel(std::string settingsPath, std::string defaultsPath)
    : Source(new TVekImage(nullptr)), SettingsPath(std::move(settingsPath)), DefaultsPath(std::move(defaultsPath)) {
  // Nothing in the engine draws random numbers; the seed serves the components that do.
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  MakeCosTable();
  MakePalette();
}

TQuenbrel::~TQuenbrel() { delete Source; }

// ---------------------------------------------------------------------------------------
// Tables

void TQuenbrel::MakeCosTable() {
  // Each entry from its own angle, (i * pi) * (1/180) in extended precision rounded to
  // double, so entries i and i + 360 may differ in their last bits, as the motion expects.
  const long double pi = std::numbers::pi_v<double>;
  const long double oneOver180 = 1.0L / 180.0L;
  for (int i = 0; i < kCosEntries; ++i) {
    const long double product = static_cast<long double>(i) * pi;
    const double angle = static_cast<double>(product * oneOver180);
    CosTable[i] = static_cast<double>(std::cos(static_cast<long double>(angle)));
  }
}

double TQuenbrel::CosDeg(std::int32_t degrees) const { return CosTable[MagnitudeMod(degrees, kCosEntries)]; }

void TQuenbrel::MakePalette() {
  for (int i = 0; i < 256; ++i) Palette[i] = BlendColor3(Color1, Color2, Color1, i, 255);
  FSourceCurrent = false;
}

std::uint32_t TQuenbrel::PaletteColor(std::int32_t index) const {
  return static_cast<std::uint32_t>(Palette[MagnitudeMod(index, 256)]);
}

std::array<std::uint32_t, 256> TQuenbrel::PaletteWords() const {
  std::array<std::uint32_t, 256> words;
  for (int i = 0; i < 256; ++i) words[i] = static_cast<std::uint32_t>(Palette[i]);
  return words;
}

// ---------------------------------------------------------------------------------------
// Settings file: two little-endian pixel values, Color1 then Color2.

void TQuenbrel::LoadSettings() {
  const std::string& path = FileExists(SettingsPath) || DefaultsPath.empty() ? SettingsPath : DefaultsPath;
  // A colour that is not in the file whole keeps its default.
  std::int32_t color1 = DefaultColor1;
  std::int32_t color2 = DefaultColor2;
  if (FileExists(path)) {
    TFileStream file(path, TFileStream::Mode::OpenRead);
    if (TryReadInt(file, color1)) TryReadInt(file, color2);
  }
  Color1 = color1;
  Color2 = color2;
  MakePalette();
}

void TQuenbrel::SaveSettings() {
  // Where it cannot, creating the file fails and says so.
  if (const auto cut = SettingsPath.rfind('/'); cut != std::string::npos && cut > 0)
    ForceDirectories(SettingsPath.substr(0, cut));
  // The new bytes replace the old only once they are all on the disk: a full disk or a
  // killed program keeps the colours saved before.
  std::array<std::uint8_t, 8> bytes{};
  for (int shift = 0, at = 0; shift < 32; shift += 8, ++at) {
    bytes[at] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(Color1) >> shift);
    bytes[at + 4] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(Color2) >> shift);
  }
  WriteWholeFile(SettingsPath, bytes);
}

// ---------------------------------------------------------------------------------------
// Drawing

void TQuenbrel::Resize() {
  if (!Target) return;  // an engine used only for its settings has nothing to size
  Target->Resize();
  const TBitmap& source = Source->Picture().Bitmap();
  if (FSourceCurrent && source.Width() == Target->Width() && source.Height() == Target->Height()) return;
  Source->SetHeightWidth(Target->Height(), Target->Width());
  PaintSource();
}

void TQuenbrel::PaintSource() {
  TBitmap& bitmap = Source->Picture().Bitmap();
  bitmap.SetPixelBits(32);
  FSourcePalette = std::make_unique<TPaletteLookup>(PaletteWords());
  // Left unset: the pattern writes every one.
  FSourceIndexes.reset(new std::uint8_t[static_cast<std::size_t>(bitmap.Width()) * bitmap.Height()]);
  PaintSourcePattern(*this, *FSourcePalette, bitmap, FSourceIndexes.get());
  FSourceCurrent = true;
  ++FPatternsDrawn;
}

void TQuenbrel::NextFrame() {
  if (!Target) return;
  TBitmap& target = Target->Picture().Bitmap();
  TBitmap& source = Source->Picture().Bitmap();
  target.SetPixelBits(32);
  source.SetPixelBits(32);
  // A display that still shows the last frame from this memory keeps it: this one is drawn
  // elsewhere, or not at all while nothing else is free (the next tick tries again).
  if (!target.BeginFrame()) return;
  // Normally all three sizes agree; the frame never reaches beyond any of them.
  const TFrameLayout layout = LayoutFor(QuenbrelMotion(), std::min({Target->Width(), target.Width(), source.Width()}),
                                        std::min({Target->Height(), target.Height(), source.Height()}));
  const TSourceRows sourceRows{source, FSourceIndexes.get(), FSourcePalette.get()};
  // Each band goes to the screen as soon as it is drawn: the display copies one band while
  // the next is computed, and the whole frame is on the screen when NextFrame returns.
  bool shownAsDrawn = true;
  for (int top = 0; top < layout.Height; top += BandRows) {
    const int bottom = std::min(top + BandRows, layout.Height);
    ComposeRows(target, sourceRows, layout, top, bottom);
    shownAsDrawn = Target->ShowRows(top, bottom) && shownAsDrawn;
  }
  if (shownAsDrawn) Target->WaitShown();
  else Target->Repaint();
  AdvanceMotion(layout.Width, layout.Height);
}

void TQuenbrel::AdvanceMotion(int width, int height) {
  TQuenbrelMotion& m = QuenbrelMotion();
  const int halfWidth = width / 2;
  const int halfHeight = height / 2;
  for (int k = 0; k < 2; ++k) {
    if (m.FrameCount == 0) {
      m.PhaseX[k] = 50 * k;
      m.PhaseY[k] = 100 * k;
    }
    m.OffsetX[k] = LayerOffset(CosDeg(WrappingAdd(m.PhaseX[k], m.FrameCount)), halfWidth);
    m.OffsetY[k] = LayerOffset(CosDeg(WrappingAdd(m.PhaseY[k], m.FrameCount)), halfHeight);
  }
  m.FrameCount = WrappingAdd(m.FrameCount, 1);
}
