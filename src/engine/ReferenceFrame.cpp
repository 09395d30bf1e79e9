#include "ReferenceFrame.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "components/VekImage.h"
#include "engine/Quenbrel.h"

void ReferenceNextFrame(TQuenbrel& engine) {
  TBitmap& target = engine.Target->Picture().Bitmap();
  TBitmap& source = engine.SourceImage().Picture().Bitmap();
  target.SetPixelBits(32);
  source.SetPixelBits(32);
  const int w = std::min({engine.Target->Width(), target.Width(), source.Width()});
  const int h = std::min({engine.Target->Height(), target.Height(), source.Height()});
  TQuenbrelMotion& m = QuenbrelMotion();
  int ox[2], oy[2];
  for (int k = 0; k < 2; ++k) {
    ox[k] = std::clamp(m.OffsetX[k], 0, w);
    oy[k] = std::clamp(m.OffsetY[k], 0, h);
  }
  for (int y = 0; y < h; ++y) {
    std::uint32_t* d = target.Row32(y);
    const std::uint32_t* rows[2];
    for (int k = 0; k < 2; ++k) {
      const int r = oy[k] + y;
      rows[k] = source.Row32(r < h ? r : 2 * h - r - 1);
    }
    for (int x = 0; x < w; ++x) {
      std::uint32_t v[2];
      for (int k = 0; k < 2; ++k) {
        const int c = ox[k] + x;
        v[k] = c < w ? rows[k][c] : rows[k][2 * w - c - 1];
      }
      d[x] = v[0] + v[1];
    }
  }
  engine.Target->Repaint();
  for (int k = 0; k < 2; ++k) {
    if (m.FrameCount == 0) {
      m.PhaseX[k] = 50 * k;
      m.PhaseY[k] = 100 * k;
    }
    const auto angleX =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(m.PhaseX[k]) + static_cast<std::uint32_t>(m.FrameCount));
    const auto angleY =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(m.PhaseY[k]) + static_cast<std::uint32_t>(m.FrameCount));
    m.OffsetX[k] =
        static_cast<std::int32_t>(std::trunc(static_cast<long double>(engine.CosDeg(angleX)) * (w / 2))) + w / 2;
    m.OffsetY[k] =
        static_cast<std::int32_t>(std::trunc(static_cast<long double>(engine.CosDeg(angleY)) * (h / 2))) + h / 2;
  }
  m.FrameCount = static_cast<std::int32_t>(static_cast<std::uint32_t>(m.FrameCount) + 1u);
}
