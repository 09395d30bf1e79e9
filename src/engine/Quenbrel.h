#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

class TPaletteLookup;
class TVekImage;

// The animation state of the effect. It exists once per process, is shared by every engine
// and survives their destruction: the motion goes on where it was.
struct TQuenbrelMotion {
  std::int32_t OffsetX[2] = {0, 0};
  std::int32_t OffsetY[2] = {0, 0};
  std::int32_t FrameCount = 0;
  std::int32_t PhaseX[2] = {0, 0};
  std::int32_t PhaseY[2] = {0, 0};
  bool operator==(const TQuenbrelMotion&) const = default;
};
TQuenbrelMotion& QuenbrelMotion();

// The animated picture: a static pattern from a two-colour palette, of which two moving,
// edge-mirrored copies are added as plain 32-bit integers into Target on every frame.
class TQuenbrel {
 public:
  static constexpr const char* SettingsFileName = "zzQuenbrel.ini";
  static constexpr std::int32_t DefaultColor1 = 0xFF;  // pure blue, as a pixel value
  static constexpr std::int32_t DefaultColor2 = 0;     // black
  // A frame goes to the screen in bands of this many rows, each as soon as it is drawn.
  static constexpr int BandRows = 128;

  // The settings file lies beside the program unless another path is given. While it does
  // not exist, LoadSettings reads `defaultsPath` instead, when one is given (an
  // administrator's file for the users who have none of their own).
  TQuenbrel();
  explicit TQuenbrel(std::string settingsPath, std::string defaultsPath = "");
  ~TQuenbrel();
  TQuenbrel(const TQuenbrel&) = delete;
  TQuenbrel& operator=(const TQuenbrel&) = delete;

  void LoadSettings();
  // Creates the settings file anew, and the folders it lies in when they are missing
  // (readable by the user alone): all or nothing, as WriteWholeFile writes. A device or a FIFO
  // in its place is refused.
  void SaveSettings();
  // Rebuilds the palette from Color1 and Color2 (LoadSettings does so by itself).
  void MakePalette();
  // Brings Target's bitmap and Source to Target's size and draws the source pattern there;
  // when Source already holds the pattern of that size and palette, draws nothing.
  void Resize();
  void NextFrame();

  double CosDeg(std::int32_t degrees) const;
  std::uint32_t PaletteColor(std::int32_t index) const;
  // The palette's entries as pixel words.
  std::array<std::uint32_t, 256> PaletteWords() const;

  TVekImage& SourceImage() const { return *Source; }
  // How many times Source has been drawn: milliseconds each at screen sizes.
  int PatternsDrawn() const { return FPatternsDrawn; }

 private:
  TVekImage* Source;
  std::array<double, 3600> CosTable;
  std::array<std::int32_t, 256> Palette;
  std::string SettingsPath;
  std::string DefaultsPath;

 public:
  TVekImage* Target = nullptr;
  std::int32_t Color1 = DefaultColor1;
  std::int32_t Color2 = DefaultColor2;

 private:
  void MakeCosTable();
  void PaintSource();
  void AdvanceMotion(int width, int height);

  // Source holds the pattern of the current palette at its size.
  bool FSourceCurrent = false;
  int FPatternsDrawn = 0;
  // The palette index of every pixel of Source, row after row, and the palette it was drawn
  // with: where the processor can, frames are summed from these, a quarter of the bytes.
  std::unique_ptr<std::uint8_t[]> FSourceIndexes;
  std::unique_ptr<TPaletteLookup> FSourcePalette;
};
