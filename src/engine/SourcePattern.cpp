#include "SourcePattern.h"

#include <cstdint>
#include <vector>

#include "PaletteLookup.h"
#include "Quenbrel.h"
#include "Truncation.h"
#include "framework/graphics/Bitmap.h"

// Why double precision gives the extended result. Let a and b be the extended factors of one
// product (0 <= a <= 2, 0 <= b <= 255), E = a * b exactly, and R = E rounded to extended, whose
// truncation the pattern takes. The doubles nearest to a and b are a(1 + e1) and b(1 + e2) with
// |e1|, |e2| <= 2^-53, so their exact product P lies within 2.1 * 2^-53 * E < 2^-43 of E
// (E < 512), and R within 2^-64 * E < 2^-55 of E. Computing P - m and P + m in double rounds
// at most twice, by at most 2^-53 * 512 = 2^-44 each (once when the compiler fuses the multiply
// into the subtraction). With m = 2^-40 the low value therefore lies below R and the high one
// above it, and when both truncate to the same integer, R truncates to it as well: R >= 0, and
// a low value in (-1, 0) truncates to 0 as any R below the high one then does. Otherwise R
// lies within about 2^-40 of a whole number (a whole product, mostly), and that pixel is
// computed in extended precision.
//
// Such pixels are rare, so a row only tells whether it holds any; a row that does is searched
// again with a margin of 2m. A pixel left in doubt has a whole number within m + 2^-43 of P,
// whichever way it was computed, and so within 2m - 2^-43 of P: the wider search finds it
// whichever way it is computed (the variants below round differently where one of them fuses
// a multiply with an addition).

namespace {

constexpr double kMargin = 0x1p-40;

// The factors of the products along one axis of n positions, in extended precision as the
// pattern defines them and rounded to double for the fast pass.
struct TAxis {
  std::vector<long double> Cosine;    // cos(i degrees) + 1
  std::vector<long double> Fraction;  // i * 255 / (n - 1), or 0 when n is 1
  std::vector<double> CosineD;
  std::vector<double> FractionD;

  TAxis(const TQuenbrel& engine, int n) : Cosine(n), Fraction(n), CosineD(n), FractionD(n) {
    for (int i = 0; i < n; ++i) {
      Cosine[i] = static_cast<long double>(engine.CosDeg(i)) + 1;
      Fraction[i] = n > 1 ? static_cast<long double>(std::int64_t{i} * 255) / (n - 1) : 0.0L;
      CosineD[i] = static_cast<double>(Cosine[i]);
      FractionD[i] = static_cast<double>(Fraction[i]);
    }
  }
};

// The pattern's whole inputs: both axes and the palette.
struct TPattern {
  TAxis Columns;
  TAxis Rows;
  const TPaletteLookup& Palette;
};

#if defined(__x86_64__)
// One pass per instruction set; the loader picks the widest the processor has. Every variant
// computes the same integers (see above).
#define QUENBREL_VECTOR_VARIANTS __attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))
#else
#define QUENBREL_VECTOR_VARIANTS
#endif

// The palette index that the double products give a pixel, deciding each truncation between
// the product less and plus `margin`; Doubt is nonzero where they leave it undecided.
struct TDecision {
  std::int32_t Index;
  std::int32_t Doubt;
};

inline TDecision Decide(double columnCosine, double columnFraction, double rowCosine, double rowFraction,
                        double margin) {
  const double p = columnCosine * rowFraction;
  const double q = rowCosine * columnFraction;
  const auto pLow = static_cast<std::int32_t>(p - margin);
  const auto pHigh = static_cast<std::int32_t>(p + margin);
  const auto qLow = static_cast<std::int32_t>(q - margin);
  const auto qHigh = static_cast<std::int32_t>(q + margin);
  return {pLow + qLow, (pLow ^ pHigh) | (qLow ^ qHigh)};
}

// The palette index of every pixel of one row; false when any is left in doubt.
QUENBREL_VECTOR_VARIANTS
bool DecideRow(std::uint8_t* __restrict indexes, const double* __restrict columnCosine,
               const double* __restrict columnFraction, double rowCosine, double rowFraction, int width) {
  std::int32_t doubt = 0;
  for (int x = 0; x < width; ++x) {
    const TDecision decision = Decide(columnCosine[x], columnFraction[x], rowCosine, rowFraction, kMargin);
    indexes[x] = static_cast<std::uint8_t>(decision.Index);
    doubt |= decision.Doubt;
  }
  return doubt == 0;
}

// Marks the pixels of a row that any way of deciding it may have left in doubt.
QUENBREL_VECTOR_VARIANTS
void FindDoubts(std::uint8_t* __restrict doubts, const double* __restrict columnCosine,
                const double* __restrict columnFraction, double rowCosine, double rowFraction, int width) {
  for (int x = 0; x < width; ++x)
    doubts[x] = Decide(columnCosine[x], columnFraction[x], rowCosine, rowFraction, 2 * kMargin).Doubt != 0;
}

std::uint8_t ExactIndex(const TPattern& pattern, int x, int y) {
  const std::int32_t p = TruncToInt(pattern.Columns.Cosine[x] * pattern.Rows.Fraction[y]);
  const std::int32_t q = TruncToInt(pattern.Rows.Cosine[y] * pattern.Columns.Fraction[x]);
  return static_cast<std::uint8_t>(p + q);
}

void PaintRows(const TPattern& pattern, TBitmap& bitmap, std::uint8_t* indexes) {
  const int width = bitmap.Width();
  const double* columnCosine = pattern.Columns.CosineD.data();
  const double* columnFraction = pattern.Columns.FractionD.data();
  std::vector<std::uint8_t> doubts(width);
  for (int y = 0; y < bitmap.Height(); ++y, indexes += width) {
    const double rowCosine = pattern.Rows.CosineD[y];
    const double rowFraction = pattern.Rows.FractionD[y];
    const bool decided = DecideRow(indexes, columnCosine, columnFraction, rowCosine, rowFraction, width);
    if (!decided) {
      FindDoubts(doubts.data(), columnCosine, columnFraction, rowCosine, rowFraction, width);
      for (int x = 0; x < width; ++x)
        if (doubts[x]) indexes[x] = ExactIndex(pattern, x, y);
    }
    pattern.Palette.Row(bitmap.Row32(y), indexes, width);
  }
}

}  // namespace

void PaintSourcePattern(const TQuenbrel& engine, const TPaletteLookup& palette, TBitmap& bitmap,
                        std::uint8_t* indexes) {
  const TPattern pattern{TAxis(engine, bitmap.Width()), TAxis(engine, bitmap.Height()), palette};
  PaintRows(pattern, bitmap, indexes);
}
