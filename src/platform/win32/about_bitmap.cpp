#include "platform/win32/about_bitmap.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace win {
namespace {

constexpr int W = AboutPictureWidth;
constexpr int H = AboutPictureHeight;
constexpr int Stride = (W + 3) / 4 * 4;  // BMP rows are padded to 4 bytes

// Palette bands: every band is a ramp from its dark end to its light end.
struct Band {
  int first, count;
  std::array<int, 3> from, to;  // RGB
};
constexpr Band Sky{0, 96, {132, 178, 236}, {246, 250, 255}};
constexpr Band Ocean{96, 64, {92, 146, 214}, {206, 228, 252}};
constexpr Band Land{160, 64, {118, 176, 112}, {222, 244, 204}};
constexpr Band Grid{224, 16, {170, 204, 244}, {244, 250, 255}};
constexpr Band Cloud{240, 16, {226, 236, 250}, {255, 255, 255}};

constexpr double Pi = 3.14159265358979323846;

// 4 x 4 ordered dither, so the ramps show no bands.
constexpr int Bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

std::uint8_t Shade(const Band& band, double t, int x, int y) {
  t = std::clamp(t, 0.0, 1.0) * (band.count - 1);
  const double threshold = (Bayer[y & 3][x & 3] + 0.5) / 16.0;
  int level = static_cast<int>(t);
  if (t - level > threshold) ++level;
  return static_cast<std::uint8_t>(band.first + std::min(level, band.count - 1));
}

void PutLe(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Soft clouds: how much cloud covers a point (0 none, 1 solid).
double CloudCover(double x, double y) {
  struct Puff {
    double x, y, r;
  };
  static constexpr Puff puffs[] = {
      {34, 40, 18}, {58, 30, 24}, {86, 42, 17}, {60, 50, 16},               // upper left
      {40, 300, 20}, {70, 288, 26}, {102, 302, 19}, {72, 312, 17},          // lower left
      {300, 318, 14}, {322, 308, 18}, {340, 322, 13},                       // lower right
  };
  double cover = 0;
  for (const Puff& p : puffs) {
    const double d = std::hypot(x - p.x, (y - p.y) * 1.3) / p.r;
    cover = std::max(cover, std::clamp((1.15 - d) / 0.35, 0.0, 1.0));
  }
  return cover;
}

// A made-up coastline: land where this smooth field of the sphere's surface is positive.
double LandField(double lat, double lon) {
  return std::sin(2.0 * lon + 0.4) * std::cos(1.6 * lat - 0.3) +
         0.55 * std::sin(5.0 * lon + 1.3) * std::sin(3.0 * lat + 0.7) +
         0.30 * std::cos(7.0 * lon - 2.0 * lat) - 0.18;
}

std::uint8_t Pixel(int x, int y) {
  constexpr double cx = 238, cy = 176, r = 92;
  const double px = x + 0.5, py = y + 0.5;
  const double nx = (px - cx) / r, ny = (py - cy) / r;
  const double d2 = nx * nx + ny * ny;
  const double sky = 1.0 - std::pow(1.0 - py / H, 1.4) * 0.95;

  if (d2 < 1.0) {
    const double nz = std::sqrt(1.0 - d2);
    // Light from the upper left, in front.
    const double lx = -0.48, ly = -0.58, lz = 0.66;
    const double light = std::max(0.0, nx * lx + ny * ly + nz * lz);
    const double shade = 0.25 + 0.75 * light;
    const double lat = std::asin(-ny);
    const double lon = std::atan2(nx, nz) + 0.9;
    // Meridians and parallels every 30 degrees, thin near the rim.
    const double step = Pi / 6;
    const double dLon = std::abs(std::remainder(lon, step)) * std::cos(lat);
    const double dLat = std::abs(std::remainder(lat, step));
    const double width = 0.008 / std::max(nz, 0.25);
    if (dLon < width || dLat < width) return Shade(Grid, shade, x, y);
    if (LandField(lat, lon) > 0) return Shade(Land, shade, x, y);
    return Shade(Ocean, shade, x, y);
  }
  // A pale halo round the globe, fading into the sky.
  const double halo = std::clamp(1.0 - (std::sqrt(d2) - 1.0) / 0.09, 0.0, 1.0);
  const double cloud = CloudCover(px, py);
  if (cloud > 0.02 && cloud >= halo) return Shade(Cloud, cloud, x, y);
  if (halo > 0.0) return Shade(Sky, sky + (1.0 - sky) * halo * 0.8, x, y);
  return Shade(Sky, sky, x, y);
}

std::vector<std::uint8_t> Build() {
  const std::size_t imageSize = static_cast<std::size_t>(Stride) * H;
  const std::size_t fileSize = AboutPictureBitsOffset + imageSize;
  std::vector<std::uint8_t> out(fileSize, 0);
  // BITMAPFILEHEADER
  out[0] = 'B', out[1] = 'M';
  PutLe(out, 2, static_cast<std::uint32_t>(fileSize), 4);
  PutLe(out, 10, static_cast<std::uint32_t>(AboutPictureBitsOffset), 4);
  // BITMAPINFOHEADER
  const std::size_t h = AboutPictureInfoOffset;
  PutLe(out, h + 0, 40, 4);
  PutLe(out, h + 4, W, 4);
  PutLe(out, h + 8, H, 4);  // positive: bottom-up rows
  PutLe(out, h + 12, 1, 2);
  PutLe(out, h + 14, 8, 2);
  PutLe(out, h + 16, 0, 4);  // BI_RGB
  PutLe(out, h + 20, static_cast<std::uint32_t>(imageSize), 4);
  PutLe(out, h + 24, 3780, 4);  // 96 DPI in pixels per metre
  PutLe(out, h + 28, 3780, 4);
  PutLe(out, h + 32, 256, 4);
  PutLe(out, h + 36, 256, 4);
  // Palette: RGBQUAD is blue, green, red, 0.
  for (const Band& band : {Sky, Ocean, Land, Grid, Cloud}) {
    for (int i = 0; i < band.count; ++i) {
      const double t = band.count > 1 ? static_cast<double>(i) / (band.count - 1) : 0.0;
      const std::size_t at = h + 40 + static_cast<std::size_t>(band.first + i) * 4;
      for (int c = 0; c < 3; ++c) {
        const double v = band.from[c] + (band.to[c] - band.from[c]) * t;
        out[at + 2 - c] = static_cast<std::uint8_t>(std::lround(v));
      }
    }
  }
  for (int y = 0; y < H; ++y) {
    std::uint8_t* row = out.data() + AboutPictureBitsOffset + static_cast<std::size_t>(H - 1 - y) * Stride;
    for (int x = 0; x < W; ++x) row[x] = Pixel(x, y);
  }
  return out;
}

}  // namespace

const std::vector<std::uint8_t>& AboutPictureFile() {
  static const std::vector<std::uint8_t> file = Build();
  return file;
}

}  // namespace win
