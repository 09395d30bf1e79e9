#include "MetafileCodec.h"

#include <uemf.h>
#include <uemf_safe.h>
#include <uemf_utf.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "BmpCodec.h"
#include "CodecSupport.h"
#include "MetafilePlayer.h"
#include "framework/graphics/Bitmap.h"

namespace {

constexpr std::size_t RecordHeaderBytes = 8;
constexpr double PixelsPerMm = 96 / 25.4;

TPointF Point32(TByteReader& in) {
  const double x = in.I32();
  return {x, static_cast<double>(in.I32())};
}
TPointF Point16(TByteReader& in) {
  const double x = in.I16();
  return {x, static_cast<double>(in.I16())};
}
TPointF ReadPoint(TByteReader& in, bool small) { return small ? Point16(in) : Point32(in); }

std::vector<TPointF> ReadPoints(TByteReader& in, std::uint32_t count, bool small) {
  if (count > in.Remaining() / (small ? 4 : 8)) throw EImageFormat("truncated record");
  std::vector<TPointF> points;
  points.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i) points.push_back(ReadPoint(in, small));
  return points;
}

std::string Utf16ToUtf8(const std::uint8_t* text, std::size_t chars) {
  std::vector<std::uint16_t> units(chars + 1, 0);
  std::memcpy(units.data(), text, chars * 2);
  std::size_t length = 0;
  char* utf8 = U_Utf16leToUtf8(units.data(), chars, &length);
  std::string out = utf8 ? std::string(utf8, length) : std::string();
  std::free(utf8);
  // The converter counts the terminating zero of a short string.
  while (!out.empty() && out.back() == '\0') out.pop_back();
  return out;
}

class TEmfPlayer {
 public:
  TEmfPlayer(TByteSpan data, const TDecodeOptions& options) : FData(data), FOptions(options) {}

  std::unique_ptr<TBitmap> Run() {
    TByteReader header = Record(0);
    if (FType != U_EMR_HEADER) throw EImageFormat("not an enhanced metafile");
    header.Skip(16);  // bounds in device pixels
    const TPointF frameA = Point32(header), frameB = Point32(header);
    if (header.U32() != U_ENHMETA_SIGNATURE) throw EImageFormat("not an enhanced metafile");
    header.Skip(28);  // version, sizes, handles, description, palette
    const TPointF device = Point32(header), millimetres = Point32(header);
    // The frame counts hundredths of a millimetre.
    auto picture = NewMetafilePicture((frameB.X - frameA.X) / 100 * PixelsPerMm,
                                      (frameB.Y - frameA.Y) / 100 * PixelsPerMm, FOptions.Limits);
    TMetafilePlayer player(*picture);
    const TPointF perMm{millimetres.X > 0 && device.X > 0 ? device.X / millimetres.X : PixelsPerMm,
                        millimetres.Y > 0 && device.Y > 0 ? device.Y / millimetres.Y : PixelsPerMm};
    player.SetDeviceTransform({frameA.X / 100 * perMm.X, frameA.Y / 100 * perMm.Y},
                              {PixelsPerMm / perMm.X, PixelsPerMm / perMm.Y}, perMm);
    TRowProgress progress(FOptions.Progress, 100);
    // A file cut between two records ends without its end record: cut like any other.
    for (std::size_t at = FSize;;) {
      if (at == FData.size()) throw EImageFormat("truncated file");
      TByteReader in = Record(at);
      if (FType == U_EMR_EOF) break;
      Play(player, in);
      at += FSize;
      progress.Rows(static_cast<int>(at * 100 / FData.size()));
    }
    picture->SetPixelBits(24);
    return picture;
  }

 private:
  // The record at `at`, checked whole, read from just after its type and size.
  TByteReader Record(std::size_t at) {
    TByteReader in(FData.subspan(at));
    FType = in.U32();
    FSize = in.U32();
    if (FSize < RecordHeaderBytes || FSize % 4 != 0 || FSize > FData.size() - at)
      throw EImageFormat("damaged record at byte " + std::to_string(at));
    // libuemf checks the records it knows; it would complain aloud about the others, which
    // this player skips unread.
    const char* record = reinterpret_cast<const char*>(FData.data() + at);
    if (Plays(FType) && !U_emf_record_safe(record)) throw EImageFormat("damaged record at byte " + std::to_string(at));
    FRecord = FData.subspan(at, FSize);
    TByteReader body(FRecord);
    body.Skip(RecordHeaderBytes);
    return body;
  }

  static bool Plays(std::uint32_t type) {
    static constexpr std::uint32_t Played[] = {U_EMR_HEADER,
                                               U_EMR_SETWINDOWEXTEX,
                                               U_EMR_SETWINDOWORGEX,
                                               U_EMR_SETVIEWPORTEXTEX,
                                               U_EMR_SETVIEWPORTORGEX,
                                               U_EMR_SETMAPMODE,
                                               U_EMR_SETBKMODE,
                                               U_EMR_SETTEXTALIGN,
                                               U_EMR_SETTEXTCOLOR,
                                               U_EMR_SETBKCOLOR,
                                               U_EMR_SAVEDC,
                                               U_EMR_RESTOREDC,
                                               U_EMR_MOVETOEX,
                                               U_EMR_LINETO,
                                               U_EMR_SELECTOBJECT,
                                               U_EMR_DELETEOBJECT,
                                               U_EMR_CREATEPEN,
                                               U_EMR_EXTCREATEPEN,
                                               U_EMR_CREATEBRUSHINDIRECT,
                                               U_EMR_EXTCREATEFONTINDIRECTW,
                                               U_EMR_RECTANGLE,
                                               U_EMR_ROUNDRECT,
                                               U_EMR_ELLIPSE,
                                               U_EMR_ARC,
                                               U_EMR_CHORD,
                                               U_EMR_PIE,
                                               U_EMR_POLYGON,
                                               U_EMR_POLYGON16,
                                               U_EMR_POLYLINE,
                                               U_EMR_POLYLINE16,
                                               U_EMR_POLYPOLYGON,
                                               U_EMR_POLYPOLYGON16,
                                               U_EMR_POLYPOLYLINE,
                                               U_EMR_POLYPOLYLINE16,
                                               U_EMR_EXTTEXTOUTW,
                                               U_EMR_STRETCHDIBITS,
                                               U_EMR_BITBLT,
                                               U_EMR_STRETCHBLT,
                                               U_EMR_EOF};
    return std::find(std::begin(Played), std::end(Played), type) != std::end(Played);
  }

  void Play(TMetafilePlayer& p, TByteReader& in) {
    switch (FType) {
      case U_EMR_SETWINDOWEXTEX: {
        const TPointF v = Point32(in);
        p.SetWindowExt(v.X, v.Y);
        break;
      }
      case U_EMR_SETWINDOWORGEX: {
        const TPointF v = Point32(in);
        p.SetWindowOrg(v.X, v.Y);
        break;
      }
      case U_EMR_SETVIEWPORTEXTEX: {
        const TPointF v = Point32(in);
        p.SetViewportExt(v.X, v.Y);
        break;
      }
      case U_EMR_SETVIEWPORTORGEX: {
        const TPointF v = Point32(in);
        p.SetViewportOrg(v.X, v.Y);
        break;
      }
      case U_EMR_SETMAPMODE: p.SetMapMode(static_cast<int>(in.U32())); break;
      case U_EMR_SETBKMODE: p.SetBkMode(static_cast<int>(in.U32())); break;
      case U_EMR_SETTEXTALIGN: p.SetTextAlign(in.U32()); break;
      case U_EMR_SETTEXTCOLOR: p.SetTextColor(static_cast<TColor>(in.U32() & 0xFFFFFF)); break;
      case U_EMR_SETBKCOLOR: p.SetBkColor(static_cast<TColor>(in.U32() & 0xFFFFFF)); break;
      case U_EMR_SAVEDC: p.SaveState(); break;
      case U_EMR_RESTOREDC: p.RestoreState(in.I32()); break;
      case U_EMR_MOVETOEX: p.MoveTo(Point32(in)); break;
      case U_EMR_LINETO: p.LineTo(Point32(in)); break;
      case U_EMR_SELECTOBJECT: Select(p, in.U32()); break;
      case U_EMR_DELETEOBJECT: p.Delete(in.U32()); break;
      case U_EMR_CREATEPEN: CreatePen(p, in); break;
      case U_EMR_EXTCREATEPEN: ExtCreatePen(p, in); break;
      case U_EMR_CREATEBRUSHINDIRECT: CreateBrush(p, in); break;
      case U_EMR_EXTCREATEFONTINDIRECTW: CreateFont(p, in); break;
      case U_EMR_RECTANGLE:
      case U_EMR_ROUNDRECT: {
        const TPointF a = Point32(in);
        p.Rectangle(a, Point32(in));
        break;
      }
      case U_EMR_ELLIPSE: {
        const TPointF a = Point32(in);
        p.Ellipse(a, Point32(in));
        break;
      }
      case U_EMR_ARC: Arc(p, in, TMetafilePlayer::TArcKind::Arc); break;
      case U_EMR_CHORD: Arc(p, in, TMetafilePlayer::TArcKind::Chord); break;
      case U_EMR_PIE: Arc(p, in, TMetafilePlayer::TArcKind::Pie); break;
      case U_EMR_POLYGON:
      case U_EMR_POLYGON16:
      case U_EMR_POLYLINE:
      case U_EMR_POLYLINE16: Poly(p, in); break;
      case U_EMR_POLYPOLYGON:
      case U_EMR_POLYPOLYGON16:
      case U_EMR_POLYPOLYLINE:
      case U_EMR_POLYPOLYLINE16: PolyPoly(p, in); break;
      case U_EMR_EXTTEXTOUTW: Text(p, in); break;
      case U_EMR_STRETCHDIBITS: StretchDibits(p, in); break;
      case U_EMR_BITBLT:
      case U_EMR_STRETCHBLT: Blt(p, in); break;
      default: break;  // not drawn by this player
    }
  }

  void Select(TMetafilePlayer& p, std::uint32_t index) {
    if (index & U_STOCK_OBJECT) p.SelectStock(index & ~U_STOCK_OBJECT);
    else p.Select(index);
  }
  void CreatePen(TMetafilePlayer& p, TByteReader& in) {
    const std::uint32_t slot = in.U32();
    const std::uint32_t style = in.U32();
    const double width = in.I32();
    in.I32();
    p.SetPen(slot, {(style & 0xF) == U_PS_NULL, width, static_cast<TColor>(in.U32() & 0xFFFFFF)});
  }
  void ExtCreatePen(TMetafilePlayer& p, TByteReader& in) {
    const std::uint32_t slot = in.U32();
    in.Skip(16);  // a pattern bitmap, not drawn
    const std::uint32_t style = in.U32();
    const double width = in.U32();
    in.U32();  // brush style
    p.SetPen(slot, {(style & 0xF) == U_PS_NULL, width, static_cast<TColor>(in.U32() & 0xFFFFFF)});
  }
  void CreateBrush(TMetafilePlayer& p, TByteReader& in) {
    const std::uint32_t slot = in.U32();
    const std::uint32_t style = in.U32();
    // Hatches are drawn in their colour, solid; patterns not at all.
    const bool drawn = style == U_BS_SOLID || style == U_BS_HATCHED;
    p.SetBrush(slot, {!drawn, static_cast<TColor>(in.U32() & 0xFFFFFF)});
  }
  void CreateFont(TMetafilePlayer& p, TByteReader& in) {
    const std::uint32_t slot = in.U32();
    TMetafilePlayer::TLogicalFont font;
    font.Height = in.I32();
    in.I32();
    font.Escapement = in.I32();
    in.I32();
    font.Bold = in.I32() >= 600;
    font.Italic = in.U8() != 0;
    in.Skip(7);
    font.Face = Utf16ToUtf8(in.Take(U_LF_FACESIZE * 2), U_LF_FACESIZE);
    p.SetFont(slot, font);
  }
  void Arc(TMetafilePlayer& p, TByteReader& in, TMetafilePlayer::TArcKind kind) {
    const TPointF a = Point32(in), b = Point32(in), start = Point32(in);
    p.Arc(a, b, start, Point32(in), kind);
  }
  bool Small() const {
    return FType == U_EMR_POLYGON16 || FType == U_EMR_POLYLINE16 || FType == U_EMR_POLYPOLYGON16 ||
           FType == U_EMR_POLYPOLYLINE16;
  }
  bool Filled() const {
    return FType == U_EMR_POLYGON || FType == U_EMR_POLYGON16 || FType == U_EMR_POLYPOLYGON ||
           FType == U_EMR_POLYPOLYGON16;
  }
  void Poly(TMetafilePlayer& p, TByteReader& in) {
    in.Skip(16);
    const std::vector<TPointF> points = ReadPoints(in, in.U32(), Small());
    if (Filled()) p.Polygon(points);
    else p.Polyline(points);
  }
  void PolyPoly(TMetafilePlayer& p, TByteReader& in) {
    in.Skip(16);
    const std::uint32_t polys = in.U32();
    in.U32();  // the total, which the counts give again
    if (polys > in.Remaining() / 4) throw EImageFormat("truncated record");
    std::vector<std::uint32_t> counts(polys);
    for (std::uint32_t& count : counts) count = in.U32();
    for (std::uint32_t count : counts) {
      const std::vector<TPointF> points = ReadPoints(in, count, Small());
      if (Filled()) p.Polygon(points);
      else p.Polyline(points);
    }
  }
  void Text(TMetafilePlayer& p, TByteReader& in) {
    in.Skip(16 + 12);  // bounds, graphics mode, scales
    const TPointF at = Point32(in);
    const std::uint32_t chars = in.U32();
    const std::uint32_t offset = in.U32();
    if (offset > FRecord.size() || chars > (FRecord.size() - offset) / 2) throw EImageFormat("truncated record");
    p.Text(at, Utf16ToUtf8(FRecord.data() + offset, chars));
  }
  // An embedded bitmap: its info block and bits, at offsets from the record's start.
  std::unique_ptr<TBitmap> Dib(std::uint32_t infoAt, std::uint32_t infoBytes, std::uint32_t bitsAt,
                               std::uint32_t bitsBytes) const {
    if (infoAt > FRecord.size() || infoBytes > FRecord.size() - infoAt || bitsAt > FRecord.size() ||
        bitsBytes > FRecord.size() - bitsAt)
      throw EImageFormat("truncated record");
    return DecodeDib(FRecord.subspan(infoAt, infoBytes), FRecord.subspan(bitsAt, bitsBytes), {FOptions.Limits, {}});
  }
  void StretchDibits(TMetafilePlayer& p, TByteReader& in) {
    in.Skip(16);
    const TPointF dest = Point32(in), src = Point32(in), srcSize = Point32(in);
    const std::uint32_t infoAt = in.U32(), infoBytes = in.U32(), bitsAt = in.U32(), bitsBytes = in.U32();
    in.Skip(8);  // colour usage, raster operation
    const TPointF destSize = Point32(in);
    if (infoBytes == 0) return;
    const auto bitmap = Dib(infoAt, infoBytes, bitsAt, bitsBytes);
    p.Image(dest, {dest.X + destSize.X, dest.Y + destSize.Y}, *bitmap, SourceRect(src, srcSize));
  }
  void Blt(TMetafilePlayer& p, TByteReader& in) {
    in.Skip(16);
    const TPointF dest = Point32(in), destSize = Point32(in);
    in.U32();  // raster operation
    const TPointF src = Point32(in);
    in.Skip(24 + 8);  // source transform, background colour, colour usage
    const std::uint32_t infoAt = in.U32(), infoBytes = in.U32(), bitsAt = in.U32(), bitsBytes = in.U32();
    const TPointF srcSize = FType == U_EMR_STRETCHBLT ? Point32(in) : destSize;
    if (infoBytes == 0) return;  // a pattern fill without a bitmap, not drawn
    const auto bitmap = Dib(infoAt, infoBytes, bitsAt, bitsBytes);
    p.Image(dest, {dest.X + destSize.X, dest.Y + destSize.Y}, *bitmap, SourceRect(src, srcSize));
  }
  static TRect SourceRect(TPointF at, TPointF size) {
    const auto clampInt = [](double v) { return static_cast<int>(std::clamp(v, -1e9, 1e9)); };
    return {clampInt(at.X), clampInt(at.Y), clampInt(at.X + size.X), clampInt(at.Y + size.Y)};
  }

  TByteSpan FData;
  const TDecodeOptions& FOptions;
  TByteSpan FRecord;
  std::uint32_t FType = 0;
  std::uint32_t FSize = 0;
};

}  // namespace

std::unique_ptr<TBitmap> NewMetafilePicture(double width, double height, const TImageLimits& limits) {
  const auto side = [](double v) {
    return static_cast<std::int64_t>(std::llround(std::clamp(std::abs(v), 0.0, 1e12)));
  };
  return NewPicture(side(width), side(height), limits, 32);
}

std::unique_ptr<TBitmap> TEmfCodec::Decode(TByteSpan data, const TDecodeOptions& options) const {
  return TEmfPlayer(data, options).Run();
}
