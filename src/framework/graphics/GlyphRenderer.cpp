#include "GlyphRenderer.h"

#include "GlyphTurn.h"

// The only unit that knows the font engine and the face finder.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <numbers>
#include <optional>
#include <tuple>
#include <unordered_map>

namespace {

// Character height used for a font of height 0, and the largest one rendered: glyphs beyond
// it would only cost memory.
constexpr int kDefaultEmPixels = 12;
constexpr int kLargestEmPixels = 1000;
// Faces are dropped all at once beyond this many, so that text turned to many angles cannot
// hold every face open.
constexpr std::size_t kMostFaces = 64;
// The slant of synthesised italics: x moves by this much per unit of height.
constexpr double kObliqueShear = 0.2;

// The faces this system's texts name, mapped to their metric-compatible installed faces
// before the face finder sees them; the generic family behind catches a missing one.
std::pair<std::string, std::string> FamiliesFor(const std::string& name) {
  if (name == "Times New Roman") return {"Liberation Serif", "serif"};
  if (name == "MS Sans Serif" || name == "Default" || name.empty()) return {"Liberation Sans", "sans-serif"};
  return {name, "sans-serif"};
}

struct TFaceFile {
  std::string Path;
  int Index = 0;
  bool Bold = false;  // what the installed face is, not what was asked for
  bool Italic = false;
};

// The file of a matched face, and whether it really is bold or italic.
std::optional<TFaceFile> MatchedFile(FcPattern* match) {
  FcChar8* path = nullptr;
  if (FcPatternGetString(match, FC_FILE, 0, &path) != FcResultMatch) return std::nullopt;
  int index = 0, weight = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
  FcPatternGetInteger(match, FC_INDEX, 0, &index);
  FcPatternGetInteger(match, FC_WEIGHT, 0, &weight);
  FcPatternGetInteger(match, FC_SLANT, 0, &slant);
  // The face finder's own rules may call a regular face bold or oblique and ask its client
  // to embolden or slant it: such a face is not really bold or italic.
  FcBool embolden = FcFalse;
  FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden);
  FcMatrix* matrix = nullptr;
  const bool slanted = FcPatternGetMatrix(match, FC_MATRIX, 0, &matrix) == FcResultMatch && matrix->xy != 0;
  return TFaceFile{reinterpret_cast<const char*>(path), index, weight >= FC_WEIGHT_DEMIBOLD && !embolden,
                   slant != FC_SLANT_ROMAN && !slanted};
}

std::optional<TFaceFile> FindFaceFile(const std::string& name, bool bold, bool italic) {
  FcPattern* pattern = FcPatternCreate();
  const auto [family, generic] = FamiliesFor(name);
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(generic.c_str()));
  FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  FcPatternDestroy(pattern);
  if (!match) return std::nullopt;
  std::optional<TFaceFile> found = MatchedFile(match);
  FcPatternDestroy(match);
  return found;
}

FT_Fixed ToFixed(double value) { return static_cast<FT_Fixed>(std::lround(value * 65536.0)); }

int RoundedPixels(double units, double scale) { return static_cast<int>(std::lround(units * scale)); }

class TFreeTypeFace : public TGlyphFace {
 public:
  TFreeTypeFace(FT_Face face, const TFont& font, bool embolden, bool oblique);
  ~TFreeTypeFace() override { FT_Done_Face(FFace); }
  TFreeTypeFace(const TFreeTypeFace&) = delete;
  TFreeTypeFace& operator=(const TFreeTypeFace&) = delete;

  const TFaceMetrics& Metrics() const override { return FMetrics; }
  const TGlyph& Glyph(char32_t codePoint) override;

 private:
  void SetSize(int height);
  void SetLineMetrics(const TT_OS2* os2);
  void Render(char32_t codePoint, TGlyph& glyph);

  FT_Face FFace;
  bool FEmbolden;
  // Right angles are drawn upright and turned afterwards; other angles turn the outline.
  int FQuarters;
  double FAngle;
  double FScale = 1;  // pixels per font unit
  TFaceMetrics FMetrics;
  std::unordered_map<char32_t, TGlyph> FGlyphs;
};

// The escapement is 0 ... 3599 here.
TFreeTypeFace::TFreeTypeFace(FT_Face face, const TFont& font, bool embolden, bool oblique)
    : FFace(face),
      FEmbolden(embolden),
      FQuarters(font.Escapement % 900 == 0 ? font.Escapement / 900 : 0),
      FAngle(font.Escapement % 900 == 0 ? 0.0 : font.Escapement * std::numbers::pi / 1800.0) {
  SetSize(font.Height);
  const double c = std::cos(FAngle), s = std::sin(FAngle);
  const double shear = oblique ? kObliqueShear : 0.0;
  // The rotation of the escapement after the slant of a synthesised italic.
  FT_Matrix matrix{ToFixed(c), ToFixed(c * shear - s), ToFixed(s), ToFixed(s * shear + c)};
  FT_Set_Transform(FFace, &matrix, nullptr);
}

// Negative heights are the character (em) height, positive ones the cell height: the face's
// own ascent and descent scaled to exactly that many rows.
void TFreeTypeFace::SetSize(int height) {
  const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(FFace, FT_SFNT_OS2));
  const bool hasOs2 = os2 && os2->version != 0xFFFF;
  const double ascent = hasOs2 ? os2->usWinAscent : FFace->ascender;
  const double descent = hasOs2 ? os2->usWinDescent : -FFace->descender;
  const double units = FFace->units_per_EM > 0 ? FFace->units_per_EM : 2048.0;
  const bool cellHeight = height > 0 && ascent + descent > 0;
  double em = height < 0 ? -double(height) : kDefaultEmPixels;
  if (cellHeight) em = height * units / (ascent + descent);
  em = std::clamp(em, 1.0, double(kLargestEmPixels));
  FT_Set_Char_Size(FFace, 0, static_cast<FT_F26Dot6>(std::lround(em * 64)), 72, 72);
  FScale = em / units;
  FMetrics.Ascent = static_cast<int>(std::lround(ascent * FScale));
  FMetrics.Descent =
      cellHeight ? std::max(0, height - FMetrics.Ascent) : static_cast<int>(std::lround(descent * FScale));
  SetLineMetrics(hasOs2 ? os2 : nullptr);
}

void TFreeTypeFace::SetLineMetrics(const TT_OS2* os2) {
  FMetrics.UnderlineThickness = std::max(1, RoundedPixels(FFace->underline_thickness, FScale));
  const double underlineCentre = -FFace->underline_position * FScale;
  FMetrics.UnderlineOffset = std::max(1, int(std::lround(underlineCentre - FMetrics.UnderlineThickness / 2.0)));
  if (os2 && os2->yStrikeoutSize > 0) {
    FMetrics.StrikeOutThickness = std::max(1, RoundedPixels(os2->yStrikeoutSize, FScale));
    FMetrics.StrikeOutOffset = RoundedPixels(os2->yStrikeoutPosition, FScale);
  } else {
    FMetrics.StrikeOutThickness = FMetrics.UnderlineThickness;
    FMetrics.StrikeOutOffset = FMetrics.Ascent * 3 / 10;
  }
}

const TGlyph& TFreeTypeFace::Glyph(char32_t codePoint) {
  const auto found = FGlyphs.find(codePoint);
  if (found != FGlyphs.end()) return found->second;
  TGlyph& glyph = FGlyphs[codePoint];
  Render(codePoint, glyph);
  if (FQuarters != 0) glyph = TurnedGlyph(glyph, FQuarters);
  return glyph;
}

void TFreeTypeFace::Render(char32_t codePoint, TGlyph& glyph) {
  const FT_UInt index = FT_Get_Char_Index(FFace, codePoint);
  if (FT_Load_Glyph(FFace, index, FT_LOAD_TARGET_MONO) != 0) return;
  FT_GlyphSlot slot = FFace->glyph;
  glyph.AdvanceX = slot->advance.x / 64.0;
  glyph.AdvanceY = slot->advance.y / 64.0;
  if (FEmbolden && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    // Emboldening widens each glyph by the stroke it adds, along the rotated baseline.
    const FT_Pos strength = FT_MulFix(FFace->units_per_EM, FFace->size->metrics.y_scale) / 24;
    FT_Outline_Embolden(&slot->outline, strength);
    const double extra = std::round(strength / 64.0);
    glyph.AdvanceX += extra * std::cos(FAngle);
    glyph.AdvanceY += extra * std::sin(FAngle);
  }
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) return;
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO || bitmap.pitch <= 0) return;
  glyph.Left = slot->bitmap_left;
  glyph.Top = slot->bitmap_top;
  glyph.Width = static_cast<int>(bitmap.width);
  glyph.Rows = static_cast<int>(bitmap.rows);
  glyph.Pitch = bitmap.pitch;
  glyph.Bits.assign(bitmap.buffer, bitmap.buffer + static_cast<std::size_t>(bitmap.pitch) * bitmap.rows);
}

// Everything found so far, for the life of the program.
class TFaceCache {
 public:
  TFaceCache() {
    if (FT_Init_FreeType(&FLibrary) != 0) FLibrary = nullptr;
  }
  ~TFaceCache() {
    FFaces.clear();
    if (FLibrary) FT_Done_FreeType(FLibrary);
    FcFini();
  }
  TFaceCache(const TFaceCache&) = delete;
  TFaceCache& operator=(const TFaceCache&) = delete;

  TGlyphFace* FaceFor(const TFont& font);

 private:
  using TFileKey = std::tuple<std::string, bool, bool>;
  using TFaceKey = std::tuple<std::string, int, bool, bool, int>;

  const std::optional<TFaceFile>& FileFor(const TFileKey& key);
  std::unique_ptr<TFreeTypeFace> Open(const TFaceFile& file, const TFont& font, bool bold, bool italic);

  FT_Library FLibrary = nullptr;
  std::map<TFileKey, std::optional<TFaceFile>> FFiles;
  std::map<TFaceKey, std::unique_ptr<TFreeTypeFace>> FFaces;
};

TGlyphFace* TFaceCache::FaceFor(const TFont& font) {
  if (!FLibrary) return nullptr;
  const bool bold = HasStyle(font.Style, TFontStyle::fsBold);
  const bool italic = HasStyle(font.Style, TFontStyle::fsItalic);
  TFont turned = font;
  turned.Escapement = ((font.Escapement % 3600) + 3600) % 3600;
  const TFaceKey key{font.Name, font.Height, bold, italic, turned.Escapement};
  if (const auto found = FFaces.find(key); found != FFaces.end()) return found->second.get();
  const std::optional<TFaceFile>& file = FileFor({font.Name, bold, italic});
  if (!file) return nullptr;
  auto face = Open(*file, turned, bold, italic);
  if (!face) return nullptr;
  if (FFaces.size() >= kMostFaces) FFaces.clear();
  return (FFaces[key] = std::move(face)).get();
}

const std::optional<TFaceFile>& TFaceCache::FileFor(const TFileKey& key) {
  const auto found = FFiles.find(key);
  if (found != FFiles.end()) return found->second;
  return FFiles[key] = FindFaceFile(std::get<0>(key), std::get<1>(key), std::get<2>(key));
}

std::unique_ptr<TFreeTypeFace> TFaceCache::Open(const TFaceFile& file, const TFont& font, bool bold, bool italic) {
  FT_Face face = nullptr;
  if (FT_New_Face(FLibrary, file.Path.c_str(), file.Index, &face) != 0) return nullptr;
  if (!FT_IS_SCALABLE(face)) {
    FT_Done_Face(face);
    return nullptr;
  }
  return std::make_unique<TFreeTypeFace>(face, font, bold && !file.Bold, italic && !file.Italic);
}

}  // namespace

TGlyphFace* TGlyphRenderer::FaceFor(const TFont& font) {
  static TFaceCache cache;
  return cache.FaceFor(font);
}
