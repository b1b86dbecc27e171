// The check a stored picture passes before the platform turns it into a
// picture object. The platform sizes its bitmaps from what the file's headers
// declare, not from the bytes that follow them, so a few damaged bytes could
// otherwise ask for gigabytes. Only the formats a picture is stored in are
// taken: a bitmap file (BMP) and an icon or cursor file (ICO, CUR, whose
// images are bitmaps or PNG).
#pragma once
#include <cstdint>
#include <span>
#include <string>

namespace buttonex::store {

// The largest width and height of a stored picture, in pixels.
inline constexpr int64_t kMaxPictureSide = 4096;

// Why the image file may not be loaded; empty when it may.
std::string CheckPictureFile(std::span<const uint8_t> file);

}  // namespace buttonex::store
