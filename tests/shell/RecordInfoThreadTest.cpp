#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "shell/RecordInfoThread.h"
#include "storage/Picture.h"

TEST(Picture, FitIntoKeepsTheAspectRatio) {
  struct Case { int pw, ph, bw, bh; TFitRect want; } cases[] = {
      {400, 200, 100, 100, {0, 25, 100, 50}},
      {200, 400, 100, 100, {25, 0, 50, 100}},
      {1000, 1, 100, 100, {0, 49, 100, 2}},  // at least two pixels
  };
  for (const auto& c : cases) {
    TFitRect r = FitInto(c.pw, c.ph, c.bw, c.bh);
    EXPECT_EQ(r.x, c.want.x);
    EXPECT_EQ(r.y, c.want.y);
    EXPECT_EQ(r.width, c.want.width);
    EXPECT_EQ(r.height, c.want.height);
  }
  TPicture red;
  red.width = 4;
  red.height = 2;
  red.rgb.assign(4 * 2 * 3, 0);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) red.SetPixel(x, y, 0xFF0000);
  TPicture fitted = FitPicture(red, 10, 10, 0x0000FF);
  EXPECT_EQ(fitted.Pixel(5, 5), 0xFF0000u);
  EXPECT_EQ(fitted.Pixel(5, 0), 0x0000FFu);  // background above the picture
}

TEST(Picture, DamagedJpegIsRefused) {
  TPicture p;
  EXPECT_FALSE(DecodeJpeg({0xFF, 0xD8, 0xFF, 0xE0, 0x00}, p));
  EXPECT_TRUE(p.Empty());
  EXPECT_FALSE(LoadJpeg("/nonexistent.jpg", p));
}

TEST(Picture, TintAndDuotone) {
  TPicture icon;
  icon.width = 3;
  icon.height = 3;
  icon.rgb.assign(27, 0);
  icon.SetPixel(0, 0, 0x008000);  // key colour
  icon.SetPixel(1, 0, 0x000000);  // dark: tinted, g clamped to 0 -> full tint
  icon.SetPixel(0, 2, 0x000000);  // g = (2 - 0) / 2 = 1 -> half tint
  icon.SetPixel(2, 2, 0xFFFFFF);  // light: stays, or grey when disabled
  TPicture disabled = icon;
  TintIcon(icon, 0x112233, 0x2040C0, false);
  EXPECT_EQ(icon.Pixel(0, 0), 0x112233u);
  EXPECT_EQ(icon.Pixel(1, 0), 0x2040C0u);
  EXPECT_EQ(icon.Pixel(0, 2), 0x102060u);
  EXPECT_EQ(icon.Pixel(2, 2), 0xFFFFFFu);
  TintIcon(disabled, 0x112233, 0xC0C0C0, true);
  EXPECT_EQ(disabled.Pixel(2, 2), 0x606060u);

  TPicture logo = icon;
  logo.SetPixel(0, 0, 0x000000);
  logo.SetPixel(1, 0, 0xFFFFFF);
  DuotoneLogo(logo, 0x0020C0, 0xE4851B);
  EXPECT_EQ(logo.Pixel(0, 0), 0x0020C0u);  // dark becomes the icon colour
  EXPECT_EQ(logo.Pixel(1, 0), 0xE4851Bu);  // light becomes the background
  EXPECT_EQ(BgrToRgb(0x1B85E4), 0xE4851Bu);
  EXPECT_EQ(WindowsBarButtonWidth(1000, 2), 206);
  EXPECT_EQ(WindowsBarButtonWidth(416, 4), 92);
  EXPECT_EQ(WindowsBarButtonLeft(2, 92), 208);
}

TEST(RecordInfoThread, OnlyTheLatestRequestIsShownAtTheEnd) {
  std::mutex m;
  std::vector<std::pair<bool, int32_t>> shown;
  TRecordInfoThread t(40, 30, [&](const TRecordInfoThread::TUpdate& u) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));  // a slow display step
    std::lock_guard<std::mutex> lock(m);
    shown.emplace_back(u.vehicle, u.id);
  });
  for (int id = 1; id <= 5; ++id) {
    t.SetCarID(id);
    t.SetCustomerID(100 + id);
  }
  for (int i = 0; i < 200; ++i) {
    {
      std::lock_guard<std::mutex> lock(m);
      if (!shown.empty() && shown.back() == std::make_pair(false, int32_t{105})) break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  t.Terminate();
  std::lock_guard<std::mutex> lock(m);
  ASSERT_FALSE(shown.empty());
  // The last vehicle and owner shown are the last requested; superseded ones
  // are dropped rather than queued.
  std::pair<bool, int32_t> lastCar{true, -1}, lastOwner{false, -1};
  for (auto& s : shown) (s.first ? lastCar : lastOwner) = s;
  EXPECT_EQ(lastCar.second, 5);
  EXPECT_EQ(lastOwner.second, 105);
  EXPECT_LE(shown.size(), 10u);
}
