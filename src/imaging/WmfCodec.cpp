#include "MetafileCodec.h"

#include <uemf_utf.h>
#include <uwmf.h>

#include <cstdlib>

#include "BmpCodec.h"
#include "CodecSupport.h"
#include "MetafilePlayer.h"
#include "framework/graphics/Bitmap.h"

namespace {

constexpr double PixelsPerInch = 96;
constexpr int DefaultUnitsPerInch = 1440;
constexpr int AnisotropicMode = 8;

TPointF Point(const U_POINT16& p) { return {static_cast<double>(p.x), static_cast<double>(p.y)}; }
TPointF Corner(const U_RECT16& r, bool second) {
  return second ? TPointF{static_cast<double>(r.right), static_cast<double>(r.bottom)}
                : TPointF{static_cast<double>(r.left), static_cast<double>(r.top)};
}
TColor Color(const U_COLORREF& c) { return RGB(c.Red, c.Green, c.Blue); }

// Points stored unaligned in the record.
std::vector<TPointF> Points(const char* data, std::size_t count) {
  std::vector<TPointF> points(count);
  for (std::size_t i = 0; i < count; ++i) {
    U_POINT16 p;
    std::memcpy(&p, data + i * sizeof p, sizeof p);
    points[i] = Point(p);
  }
  return points;
}

// Text in the file's 8-bit code page, taken as Latin-1.
std::string Latin1ToUtf8(const char* text, std::size_t length) {
  std::string out;
  for (std::size_t i = 0; i < length && text[i]; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

class TWmfPlayer {
 public:
  TWmfPlayer(TByteSpan data, const TDecodeOptions& options)
      : FBegin(reinterpret_cast<const char*>(data.data())), FEnd(FBegin + data.size()), FOptions(options) {}

  std::unique_ptr<TBitmap> Run() {
    U_WMRPLACEABLE placeable{};
    U_WMRHEADER header{};
    const int headerBytes = data_size() >= 18 ? wmfheader_get(FBegin, FEnd, &placeable, &header) : 0;
    if (headerBytes <= 0) throw EImageFormat("not a Windows metafile");
    FRecords = FBegin + headerBytes;
    TPointF org, ext;
    double unitsPerInch = PixelsPerInch;
    if (placeable.Key == 0x9AC6CDD7) {
      org = Corner(placeable.Dst, false);
      ext = {Corner(placeable.Dst, true).X - org.X, Corner(placeable.Dst, true).Y - org.Y};
      unitsPerInch = placeable.Inch ? placeable.Inch : DefaultUnitsPerInch;
    } else if (!FindWindow(org, ext)) {
      throw EImageFormat("the metafile gives no size");
    }
    auto picture =
        NewMetafilePicture(ext.X * PixelsPerInch / unitsPerInch, ext.Y * PixelsPerInch / unitsPerInch, FOptions.Limits);
    TMetafilePlayer player(*picture);
    // The window the file draws in is fitted to the picture.
    player.SetMapMode(AnisotropicMode);
    player.SetWindowOrg(org.X, org.Y);
    player.SetWindowExt(ext.X, ext.Y);
    player.SetViewportExt(picture->Width(), picture->Height());
    TRowProgress progress(FOptions.Progress, 100);
    // A file cut between two records ends without its end record: cut like any other.
    for (const char* record = FRecords;;) {
      if (record == FEnd) throw EImageFormat("truncated file");
      const std::size_t size = RecordSize(record);
      if (size == 0) throw EImageFormat("damaged record at byte " + std::to_string(record - FBegin));
      const int type = static_cast<unsigned char>(record[4]);
      if (type == U_WMR_EOF) break;
      FRecordEnd = record + size;
      Play(player, type, record);
      record += size;
      progress.Rows(static_cast<int>((record - FBegin) * 100 / (FEnd - FBegin)));
    }
    picture->SetPixelBits(24);
    return picture;
  }

 private:
  std::size_t data_size() const { return static_cast<std::size_t>(FEnd - FBegin); }

  // The size of the record at `record`, or 0 when it is damaged: smaller than its own size and
  // function, or running past the end of the file. libuemf checks both, but reads the size
  // before it checks that the file holds it.
  std::size_t RecordSize(const char* record) const {
    constexpr std::size_t SizeAndFunction = 6;
    if (static_cast<std::size_t>(FEnd - record) < SizeAndFunction) return 0;
    return U_WMRRECSAFE_get(record, FEnd);
  }

  // A file without the placeable header takes its size from the first window it sets.
  bool FindWindow(TPointF& org, TPointF& ext) const {
    bool found = false;
    for (const char* record = FRecords; record < FEnd;) {
      const std::size_t size = RecordSize(record);
      if (size == 0) break;
      const int type = static_cast<unsigned char>(record[4]);
      if (type == U_WMR_EOF) break;
      U_POINT16 p{};
      if (!Holds(type, record, size)) break;
      if (type == U_WMR_SETWINDOWORG && U_WMRSETWINDOWORG_get(record, &p)) org = Point(p);
      if (type == U_WMR_SETWINDOWEXT && U_WMRSETWINDOWEXT_get(record, &p)) {
        ext = Point(p);
        found = true;
      }
      record += size;
    }
    return found;
  }

  // libuemf's readers trust the counts inside a record: each record is checked here first to
  // hold everything they will read.
  static bool Holds(int type, const char* r, std::size_t size) {
    const auto word = [&](std::size_t at) -> std::size_t {
      return at + 2 <= size ? static_cast<std::uint8_t>(r[at]) | (static_cast<std::uint8_t>(r[at + 1]) << 8) : 0;
    };
    constexpr std::size_t Params = 6;  // after the size and the function
    switch (type) {
      case U_WMR_SETBKMODE:
      case U_WMR_SETTEXTALIGN:
      case U_WMR_RESTOREDC:
      case U_WMR_SELECTOBJECT:
      case U_WMR_DELETEOBJECT: return size >= Params + 2;
      case U_WMR_SETWINDOWORG:
      case U_WMR_SETWINDOWEXT:
      case U_WMR_MOVETO:
      case U_WMR_LINETO:
      case U_WMR_SETTEXTCOLOR:
      case U_WMR_SETBKCOLOR: return size >= Params + 4;
      case U_WMR_RECTANGLE:
      case U_WMR_ELLIPSE: return size >= Params + 8;
      case U_WMR_ROUNDRECT: return size >= Params + 12;
      case U_WMR_ARC:
      case U_WMR_PIE:
      case U_WMR_CHORD: return size >= Params + 16;
      case U_WMR_POLYGON:
      case U_WMR_POLYLINE: return size >= Params + 2 + 4 * word(Params);
      case U_WMR_POLYPOLYGON: {
        const std::size_t polys = word(Params);
        std::size_t points = 0;
        for (std::size_t i = 0; i < polys; ++i) points += word(Params + 2 + 2 * i);
        return size >= Params + 2 + 2 * polys + 4 * points;
      }
      case U_WMR_TEXTOUT: return size >= Params + 2 + ((word(Params) + 1) & ~std::size_t{1}) + 4;
      case U_WMR_EXTTEXTOUT: {
        const std::size_t rect = (word(Params + 6) & (U_ETO_OPAQUE | U_ETO_CLIPPED)) ? 8 : 0;
        return size >= Params + 8 + rect + word(Params + 4);
      }
      case U_WMR_CREATEPENINDIRECT: return size >= Params + 10;
      case U_WMR_CREATEBRUSHINDIRECT: return size >= Params + 8;
      case U_WMR_CREATEFONTINDIRECT: return size >= Params + 18;
      case U_WMR_STRETCHDIB: return size >= Params + 22;
      case U_WMR_DIBSTRETCHBLT: return size >= Params + 20;
      case U_WMR_DIBBITBLT: return size >= Params + 16;
      default: return true;  // read by nobody
    }
  }

  void Play(TMetafilePlayer& p, int type, const char* r) {
    if (!Holds(type, r, static_cast<std::size_t>(FRecordEnd - r)))
      throw EImageFormat("damaged record at byte " + std::to_string(r - FBegin));
    U_POINT16 a{}, b{}, c{}, d{};
    U_RECT16 rect{};
    U_COLORREF color{};
    uint16_t mode = 0;
    int16_t index16 = 0;
    switch (type) {
      case U_WMR_SETWINDOWORG:
        if (U_WMRSETWINDOWORG_get(r, &a)) p.SetWindowOrg(a.x, a.y);
        break;
      case U_WMR_SETWINDOWEXT:
        if (U_WMRSETWINDOWEXT_get(r, &a)) p.SetWindowExt(a.x, a.y);
        break;
      case U_WMR_SETTEXTCOLOR:
        if (U_WMRSETTEXTCOLOR_get(r, &color)) p.SetTextColor(Color(color));
        break;
      case U_WMR_SETBKCOLOR:
        if (U_WMRSETBKCOLOR_get(r, &color)) p.SetBkColor(Color(color));
        break;
      case U_WMR_SETBKMODE:
        if (U_WMRSETBKMODE_get(r, &mode)) p.SetBkMode(mode);
        break;
      case U_WMR_SETTEXTALIGN:
        if (U_WMRSETTEXTALIGN_get(r, &mode)) p.SetTextAlign(mode);
        break;
      case U_WMR_SAVEDC: p.SaveState(); break;
      case U_WMR_RESTOREDC:
        if (U_WMRRESTOREDC_get(r, &index16)) p.RestoreState(index16);
        break;
      case U_WMR_MOVETO:
        if (U_WMRMOVETO_get(r, &a)) p.MoveTo(Point(a));
        break;
      case U_WMR_LINETO:
        if (U_WMRLINETO_get(r, &a)) p.LineTo(Point(a));
        break;
      case U_WMR_RECTANGLE:
        if (U_WMRRECTANGLE_get(r, &rect)) p.Rectangle(Corner(rect, false), Corner(rect, true));
        break;
      case U_WMR_ROUNDRECT: {
        int16_t w = 0, h = 0;
        if (U_WMRROUNDRECT_get(r, &w, &h, &rect)) p.Rectangle(Corner(rect, false), Corner(rect, true));
        break;
      }
      case U_WMR_ELLIPSE:
        if (U_WMRELLIPSE_get(r, &rect)) p.Ellipse(Corner(rect, false), Corner(rect, true));
        break;
      case U_WMR_ARC:
        if (U_WMRARC_get(r, &a, &b, &rect)) Arc(p, rect, a, b, TMetafilePlayer::TArcKind::Arc);
        break;
      case U_WMR_PIE:
        if (U_WMRPIE_get(r, &a, &b, &rect)) Arc(p, rect, a, b, TMetafilePlayer::TArcKind::Pie);
        break;
      case U_WMR_CHORD:
        if (U_WMRCHORD_get(r, &a, &b, &rect)) Arc(p, rect, a, b, TMetafilePlayer::TArcKind::Chord);
        break;
      case U_WMR_POLYGON:
      case U_WMR_POLYLINE: Poly(p, type, r); break;
      case U_WMR_POLYPOLYGON: PolyPolygon(p, r); break;
      case U_WMR_TEXTOUT: TextOut(p, r); break;
      case U_WMR_EXTTEXTOUT: ExtTextOut(p, r); break;
      case U_WMR_SELECTOBJECT:
        if (U_WMRSELECTOBJECT_get(r, &mode)) p.Select(mode);
        break;
      case U_WMR_DELETEOBJECT:
        if (U_WMRDELETEOBJECT_get(r, &mode)) p.Delete(mode);
        break;
      case U_WMR_CREATEPENINDIRECT: CreatePen(p, r); break;
      case U_WMR_CREATEBRUSHINDIRECT: CreateBrush(p, r); break;
      case U_WMR_CREATEFONTINDIRECT: CreateFont(p, r); break;
      case U_WMR_CREATEPALETTE:
      case U_WMR_CREATEPATTERNBRUSH:
      case U_WMR_DIBCREATEPATTERNBRUSH:
      case U_WMR_CREATEREGION: p.SetUnused(p.FreeSlot()); break;
      case U_WMR_STRETCHDIB: {
        uint16_t usage = 0;
        uint32_t rop = 0;
        const char* dib = nullptr;
        if (U_WMRSTRETCHDIB_get(r, &a, &b, &c, &d, &usage, &rop, &dib)) Image(p, a, b, c, d, dib);
        break;
      }
      case U_WMR_DIBSTRETCHBLT: {
        uint32_t rop = 0;
        const char* dib = nullptr;
        if (U_WMRDIBSTRETCHBLT_get(r, &a, &b, &c, &d, &rop, &dib)) Image(p, a, b, c, d, dib);
        break;
      }
      case U_WMR_DIBBITBLT: {
        uint32_t rop = 0;
        const char* dib = nullptr;
        if (U_WMRDIBBITBLT_get(r, &a, &b, &c, &rop, &dib)) Image(p, a, b, c, b, dib);
        break;
      }
      default: break;  // not drawn by this player
    }
  }

  void Arc(TMetafilePlayer& p, const U_RECT16& rect, U_POINT16 start, U_POINT16 end, TMetafilePlayer::TArcKind kind) {
    p.Arc(Corner(rect, false), Corner(rect, true), Point(start), Point(end), kind);
  }
  void Poly(TMetafilePlayer& p, int type, const char* r) {
    uint16_t count = 0;
    const char* data = nullptr;
    const bool ok = type == U_WMR_POLYGON ? U_WMRPOLYGON_get(r, &count, &data) : U_WMRPOLYLINE_get(r, &count, &data);
    if (!ok || !Fits(data, std::size_t{count} * sizeof(U_POINT16))) return;
    if (type == U_WMR_POLYGON) p.Polygon(Points(data, count));
    else p.Polyline(Points(data, count));
  }
  void PolyPolygon(TMetafilePlayer& p, const char* r) {
    uint16_t polys = 0;
    const uint16_t* counts = nullptr;
    const char* data = nullptr;
    if (!U_WMRPOLYPOLYGON_get(r, &polys, &counts, &data)) return;
    if (!Fits(reinterpret_cast<const char*>(counts), std::size_t{polys} * 2)) return;
    for (uint16_t i = 0; i < polys; ++i) {
      uint16_t count = 0;
      std::memcpy(&count, reinterpret_cast<const char*>(counts) + 2 * i, 2);
      if (!Fits(data, std::size_t{count} * sizeof(U_POINT16))) return;
      p.Polygon(Points(data, count));
      data += std::size_t{count} * sizeof(U_POINT16);
    }
  }
  void TextOut(TMetafilePlayer& p, const char* r) {
    U_POINT16 at{};
    int16_t length = 0;
    const char* text = nullptr;
    if (U_WMRTEXTOUT_get(r, &at, &length, &text) && length > 0 && Fits(text, static_cast<std::size_t>(length)))
      p.Text(Point(at), Latin1ToUtf8(text, static_cast<std::size_t>(length)));
  }
  void ExtTextOut(TMetafilePlayer& p, const char* r) {
    U_POINT16 at{};
    int16_t length = 0;
    uint16_t options = 0;
    const char* text = nullptr;
    const int16_t* dx = nullptr;
    U_RECT16 rect{};
    if (U_WMREXTTEXTOUT_get(r, &at, &length, &options, &text, &dx, &rect) && length > 0 &&
        Fits(text, static_cast<std::size_t>(length)))
      p.Text(Point(at), Latin1ToUtf8(text, static_cast<std::size_t>(length)));
  }
  void CreatePen(TMetafilePlayer& p, const char* r) {
    U_PEN pen{};
    if (!U_WMRCREATEPENINDIRECT_get(r, &pen)) return;
    p.SetPen(p.FreeSlot(), {(pen.Style & 0xF) == U_PS_NULL, static_cast<double>(pen.Widthw[0]), Color(pen.Color)});
  }
  void CreateBrush(TMetafilePlayer& p, const char* r) {
    const char* data = nullptr;
    U_WLOGBRUSH brush{};
    if (!U_WMRCREATEBRUSHINDIRECT_get(r, &data) || !Fits(data, sizeof brush)) return;
    std::memcpy(&brush, data, sizeof brush);
    const bool drawn = brush.Style == U_BS_SOLID || brush.Style == U_BS_HATCHED;
    p.SetBrush(p.FreeSlot(), {!drawn, Color(brush.Color)});
  }
  void CreateFont(TMetafilePlayer& p, const char* r) {
    const char* data = nullptr;
    constexpr std::size_t fixedBytes = offsetof(U_FONT, FaceName);
    if (!U_WMRCREATEFONTINDIRECT_get(r, &data) || !Fits(data, fixedBytes)) return;
    U_FONT font{};
    std::memcpy(&font, data, fixedBytes);
    TMetafilePlayer::TLogicalFont logical;
    logical.Height = font.Height;
    logical.Escapement = font.Escapement;
    logical.Bold = font.Weight >= 600;
    logical.Italic = font.Italic != 0;
    const std::size_t faceRoom = static_cast<std::size_t>(FRecordEnd - (data + fixedBytes));
    logical.Face = Latin1ToUtf8(data + fixedBytes, std::min<std::size_t>(faceRoom, 32));
    p.SetFont(p.FreeSlot(), logical);
  }
  void Image(TMetafilePlayer& p, U_POINT16 dest, U_POINT16 destSize, U_POINT16 src, U_POINT16 srcSize,
             const char* dib) {
    if (!dib || dib >= FRecordEnd) return;  // a pattern fill without a bitmap, not drawn
    const TByteSpan bytes(reinterpret_cast<const std::uint8_t*>(dib), static_cast<std::size_t>(FRecordEnd - dib));
    const auto bitmap = DecodePackedDib(bytes, {FOptions.Limits, {}});
    p.Image(Point(dest), {double(dest.x) + destSize.x, double(dest.y) + destSize.y}, *bitmap,
            {src.x, src.y, src.x + srcSize.x, src.y + srcSize.y});
  }
  // Whether `bytes` from `at` lie inside the current record.
  bool Fits(const char* at, std::size_t bytes) const {
    return at && at >= FBegin && at <= FRecordEnd && bytes <= static_cast<std::size_t>(FRecordEnd - at);
  }

  const char* FBegin;
  const char* FEnd;
  const char* FRecords = nullptr;
  const char* FRecordEnd = nullptr;
  const TDecodeOptions& FOptions;
};

}  // namespace

std::unique_ptr<TBitmap> TWmfCodec::Decode(TByteSpan data, const TDecodeOptions& options) const {
  return TWmfPlayer(data, options).Run();
}
