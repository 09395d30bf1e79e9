#pragma once
#include "ImageCodec.h"

// Metafiles, read only: their drawing records played onto a white picture of the size their
// frame gives at 96 pixels per inch. Rectangles, ellipses, lines, polylines, polygons and
// polypolygons, arcs, chords and pies, text, solid pens and brushes, the window and viewport
// mapping and embedded device-independent bitmaps; other records are skipped.
class TEmfCodec : public TImageCodec {
 public:
  std::unique_ptr<TBitmap> Decode(TByteSpan data, const TDecodeOptions& options) const override;
  bool CanEncode() const override { return false; }
  TBytes Encode(const TBitmap&, const TEncodeOptions&) const override { throw EImageFormat("metafiles are read only"); }
};

class TWmfCodec : public TImageCodec {
 public:
  std::unique_ptr<TBitmap> Decode(TByteSpan data, const TDecodeOptions& options) const override;
  bool CanEncode() const override { return false; }
  TBytes Encode(const TBitmap&, const TEncodeOptions&) const override { throw EImageFormat("metafiles are read only"); }
};

// The picture a metafile's records are played onto: 32 bits, white. Converted to 24 bits
// once played.
std::unique_ptr<TBitmap> NewMetafilePicture(double width, double height, const TImageLimits& limits);
