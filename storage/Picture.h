#pragma once
// Pictures without a window system: JPEG decoding (libjpeg), fitting into a
// panel, and the colour arithmetic of the tinted icons and the duotone logo.
// Pixels are 8-bit RGB, row by row.

#include <cstdint>
#include <string>
#include <vector>

struct TPicture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // width × height × 3

  bool Empty() const { return width <= 0 || height <= 0; }
  uint32_t Pixel(int x, int y) const;  // 0xRRGGBB
  void SetPixel(int x, int y, uint32_t rgb);
};

// Decodes a JPEG file; false (and an empty picture) when the file is missing,
// damaged or not a JPEG. Never aborts the process.
bool LoadJpeg(const std::string& realPath, TPicture& picture);
bool DecodeJpeg(const std::vector<uint8_t>& bytes, TPicture& picture);

struct TFitRect {
  int x = 0, y = 0, width = 0, height = 0;
};
// The picture fitted into the box keeping its aspect ratio (the smaller of the
// two ratios), rounded, at least 2 × 2 pixels, centred.
TFitRect FitInto(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight);

// A box of the given size filled with `background` (0xRRGGBB) with the
// picture scaled into its fitted rectangle (area averaging).
TPicture FitPicture(const TPicture& picture, int boxWidth, int boxHeight, uint32_t background);

// Colours are stored as red + 256 green + 65536 blue (0x00BBGGRR); these
// convert to and from 0xRRGGBB.
uint32_t BgrToRgb(uint32_t bgr);
uint32_t RgbToBgr(uint32_t rgb);

// Tints an icon drawn on the key colour 0x008000 (RGB): the key becomes the
// background; other pixels whose blue is below 129 become the tint scaled by
// l = 1 - g²/2, g = (y - x) / (w - 1) limited to 0..1; the rest stay, or
// become 0x606060 when `disabled`. Colours 0xRRGGBB.
void TintIcon(TPicture& icon, uint32_t background, uint32_t tint, bool disabled);

// Each component becomes icon + (background - icon) × v, v = mean brightness.
void DuotoneLogo(TPicture& logo, uint32_t iconColour, uint32_t background);

// The windows bar: button width min(206, (bar width - 16) / count - 8), and
// the left edge of button i at 8 + i × (width + 8).
int WindowsBarButtonWidth(int barWidth, int count);
int WindowsBarButtonLeft(int index, int buttonWidth);
