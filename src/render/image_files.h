#pragma once

// Byte layouts of the bitmap formats written directly: BMP with an 8-bit palette and JPEG through
// libjpeg (8-bit samples, progressive, quality 1..100).
#include <QImage>

#include <string>

namespace ixo {

class Progress;

// A BMP file (BITMAPFILEHEADER, BITMAPINFOHEADER, 256-entry palette, bottom-up rows padded to four
// bytes) of an image converted to 8 bits per pixel. Progress advances from 0 to 100 over the rows.
[[nodiscard]] std::string EncodeBmp8(const QImage& image, Progress& progress);

// A progressive JPEG of an RGB image at quality (clamped to 1..100). False with a reason in error when
// libjpeg fails or progress was cancelled.
[[nodiscard]] bool EncodeJpeg(const QImage& image, int quality, Progress& progress, std::string& bytes,
                              std::string& error);

} // namespace ixo
