#include "storage/Picture.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

#include "storage/File.h"

namespace {

struct TJpegError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void OnJpegError(j_common_ptr info) {
  TJpegError* error = reinterpret_cast<TJpegError*>(info->err);
  std::longjmp(error->jump, 1);
}

void OnJpegMessage(j_common_ptr) {}  // warnings of damaged files are not printed

uint8_t R(uint32_t c) { return static_cast<uint8_t>(c >> 16); }
uint8_t G(uint32_t c) { return static_cast<uint8_t>(c >> 8); }
uint8_t B(uint32_t c) { return static_cast<uint8_t>(c); }
uint32_t Rgb(int r, int g, int b) {
  auto clamp = [](int v) { return static_cast<uint32_t>(std::clamp(v, 0, 255)); };
  return (clamp(r) << 16) | (clamp(g) << 8) | clamp(b);
}

}  // namespace

uint32_t TPicture::Pixel(int x, int y) const {
  const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
  return (static_cast<uint32_t>(p[0]) << 16) | (static_cast<uint32_t>(p[1]) << 8) | p[2];
}

void TPicture::SetPixel(int x, int y, uint32_t c) {
  uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
  p[0] = R(c);
  p[1] = G(c);
  p[2] = B(c);
}

bool DecodeJpeg(const std::vector<uint8_t>& bytes, TPicture& picture) {
  picture = TPicture{};
  if (bytes.empty()) return false;
  jpeg_decompress_struct info;
  TJpegError error;
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = OnJpegError;
  error.manager.output_message = OnJpegMessage;
  // Everything the decoder touches after setjmp lives in `info` or `picture`.
  if (setjmp(error.jump)) {
    jpeg_destroy_decompress(&info);
    picture = TPicture{};
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  // Refuse absurd sizes before allocating (a damaged header can claim any).
  if (info.output_width == 0 || info.output_height == 0 || info.output_width > 20000 || info.output_height > 20000 ||
      info.output_components != 3) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  picture.width = static_cast<int>(info.output_width);
  picture.height = static_cast<int>(info.output_height);
  picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = &picture.rgb[static_cast<size_t>(info.output_scanline) * picture.width * 3];
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

bool LoadJpeg(const std::string& realPath, TPicture& picture) {
  std::string bytes;
  if (!ReadWholeFile(realPath, bytes)) {
    picture = TPicture{};
    return false;
  }
  return DecodeJpeg(std::vector<uint8_t>(bytes.begin(), bytes.end()), picture);
}

TFitRect FitInto(int pw, int ph, int bw, int bh) {
  TFitRect r;
  if (pw <= 0 || ph <= 0 || bw <= 0 || bh <= 0) return r;
  double scale = std::min(static_cast<double>(bw) / pw, static_cast<double>(bh) / ph);
  r.width = std::max(2, static_cast<int>(std::lround(pw * scale)));
  r.height = std::max(2, static_cast<int>(std::lround(ph * scale)));
  r.x = (bw - r.width) / 2;
  r.y = (bh - r.height) / 2;
  return r;
}

TPicture FitPicture(const TPicture& pic, int bw, int bh, uint32_t background) {
  TPicture out;
  out.width = std::max(0, bw);
  out.height = std::max(0, bh);
  out.rgb.resize(static_cast<size_t>(out.width) * out.height * 3);
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x) out.SetPixel(x, y, background);
  if (pic.Empty() || out.Empty()) return out;
  TFitRect r = FitInto(pic.width, pic.height, bw, bh);
  // Area averaging: each target pixel averages the source pixels it covers.
  for (int ty = 0; ty < r.height; ++ty) {
    int y0 = static_cast<int>(static_cast<int64_t>(ty) * pic.height / r.height);
    int y1 = std::max(y0 + 1, static_cast<int>(static_cast<int64_t>(ty + 1) * pic.height / r.height));
    for (int tx = 0; tx < r.width; ++tx) {
      int x0 = static_cast<int>(static_cast<int64_t>(tx) * pic.width / r.width);
      int x1 = std::max(x0 + 1, static_cast<int>(static_cast<int64_t>(tx + 1) * pic.width / r.width));
      long sr = 0, sg = 0, sb = 0, n = 0;
      for (int y = y0; y < y1 && y < pic.height; ++y)
        for (int x = x0; x < x1 && x < pic.width; ++x) {
          const uint8_t* p = &pic.rgb[(static_cast<size_t>(y) * pic.width + x) * 3];
          sr += p[0];
          sg += p[1];
          sb += p[2];
          ++n;
        }
      int px = r.x + tx, py = r.y + ty;
      if (n > 0 && px >= 0 && py >= 0 && px < out.width && py < out.height)
        out.SetPixel(px, py, Rgb(static_cast<int>(sr / n), static_cast<int>(sg / n), static_cast<int>(sb / n)));
    }
  }
  return out;
}

uint32_t BgrToRgb(uint32_t bgr) { return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF); }
uint32_t RgbToBgr(uint32_t rgb) { return BgrToRgb(rgb); }

void TintIcon(TPicture& icon, uint32_t background, uint32_t tint, bool disabled) {
  const uint32_t kKey = 0x008000;
  const int w = icon.width;
  for (int y = 0; y < icon.height; ++y) {
    for (int x = 0; x < w; ++x) {
      uint32_t c = icon.Pixel(x, y);
      if (c == kKey) {
        icon.SetPixel(x, y, background);
      } else if (B(c) < 129) {
        double g = w > 1 ? static_cast<double>(y - x) / (w - 1) : 0;
        g = std::clamp(g, 0.0, 1.0);
        double l = 1 - g * g / 2;
        icon.SetPixel(x, y, Rgb(static_cast<int>(std::lround(R(tint) * l)), static_cast<int>(std::lround(G(tint) * l)),
                                static_cast<int>(std::lround(B(tint) * l))));
      } else if (disabled) {
        icon.SetPixel(x, y, 0x606060);
      }
    }
  }
}

void DuotoneLogo(TPicture& logo, uint32_t icon, uint32_t background) {
  for (int y = 0; y < logo.height; ++y) {
    for (int x = 0; x < logo.width; ++x) {
      uint32_t c = logo.Pixel(x, y);
      double v = (R(c) + G(c) + B(c)) / 3.0 / 255.0;
      auto mix = [&](uint8_t i, uint8_t b) { return static_cast<int>(std::lround(i + (b - i) * v)); };
      logo.SetPixel(x, y, Rgb(mix(R(icon), R(background)), mix(G(icon), G(background)), mix(B(icon), B(background))));
    }
  }
}

int WindowsBarButtonWidth(int barWidth, int count) {
  if (count <= 0) return 0;
  return std::min(206, (barWidth - 16) / count - 8);
}

int WindowsBarButtonLeft(int index, int buttonWidth) { return 8 + index * (buttonWidth + 8); }
