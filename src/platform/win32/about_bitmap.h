#pragma once
// The About box's background picture: a 350 x 350 Windows bitmap, 8 bits per pixel with a
// 256-colour palette, uncompressed, painted by the program at start instead of being shipped.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace win {

inline constexpr int AboutPictureWidth = 350;
inline constexpr int AboutPictureHeight = 350;

// The picture as the bytes of a .bmp file (file header, info header, palette, bottom-up rows).
// Built once; the same bytes every call.
const std::vector<std::uint8_t>& AboutPictureFile();

// Offsets inside AboutPictureFile(): the packed DIB (info header + palette) and the pixel rows.
inline constexpr std::size_t AboutPictureInfoOffset = 14;
inline constexpr std::size_t AboutPictureBitsOffset = 14 + 40 + 256 * 4;

}  // namespace win
