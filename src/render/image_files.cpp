#include "render/image_files.h"

#include "common/progress.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace ixo {

namespace {

void PutU16(std::string& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

void PutU32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
}

} // namespace

std::string EncodeBmp8(const QImage& image, Progress& progress) {
    // An 8-bit palette made from the image's own colours (a schematic has few), dithered only when it
    // has more than 256.
    QImage indexed = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    const std::uint32_t width = static_cast<std::uint32_t>(indexed.width());
    const std::uint32_t height = static_cast<std::uint32_t>(indexed.height());
    const std::uint32_t stride = (width + 3) & ~3u;
    const std::uint32_t paletteBytes = 256 * 4;
    const std::uint32_t offset = 14 + 40 + paletteBytes;
    const std::uint32_t imageBytes = stride * height;
    std::string out;
    out.reserve(offset + imageBytes);
    // BITMAPFILEHEADER
    out += "BM";
    PutU32(out, offset + imageBytes);
    PutU16(out, 0);
    PutU16(out, 0);
    PutU32(out, offset);
    // BITMAPINFOHEADER
    PutU32(out, 40);
    PutU32(out, width);
    PutU32(out, height); // positive: rows bottom-up
    PutU16(out, 1);      // planes
    PutU16(out, 8);      // bits per pixel
    PutU32(out, 0);      // BI_RGB
    PutU32(out, imageBytes);
    const std::uint32_t pixelsPerMetre = static_cast<std::uint32_t>(std::max(0, image.dotsPerMeterX()));
    PutU32(out, pixelsPerMetre);
    PutU32(out, static_cast<std::uint32_t>(std::max(0, image.dotsPerMeterY())));
    PutU32(out, 256); // colours used
    PutU32(out, 0);   // important colours: all
    const QList<QRgb> table = indexed.colorTable();
    for (int i = 0; i < 256; ++i) {
        const QRgb rgb = i < table.size() ? table[i] : qRgb(0, 0, 0);
        out.push_back(static_cast<char>(qBlue(rgb)));
        out.push_back(static_cast<char>(qGreen(rgb)));
        out.push_back(static_cast<char>(qRed(rgb)));
        out.push_back(0);
    }
    progress.SetMaximum(100);
    const std::string padding(stride - width, '\0');
    for (std::uint32_t row = 0; row < height; ++row) {
        const uchar* line = indexed.constScanLine(static_cast<int>(height - 1 - row));
        out.append(reinterpret_cast<const char*>(line), width);
        out += padding;
        if (height > 0 && row % 64 == 0) {
            progress.SetPosition(static_cast<int>(100ull * row / height));
        }
    }
    progress.SetPosition(100);
    return out;
}

namespace {

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX] = {};
};

void OnJpegError(j_common_ptr info) {
    auto* error = reinterpret_cast<JpegError*>(info->err);
    (*info->err->format_message)(info, error->message);
    std::longjmp(error->jump, 1);
}

// libjpeg's longjmp must not cross C++ objects with destructors: the compression runs in this plain
// function with everything it needs prepared by the caller.
bool Compress(jpeg_compress_struct& info, JpegError& error, const std::vector<std::uint8_t>& rgb, int width,
              int height, int quality, unsigned char** buffer, unsigned long* size, Progress* progress,
              bool* cancelled) {
    if (setjmp(error.jump) != 0) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, buffer, size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.data() + info.next_scanline * stride);
        jpeg_write_scanlines(&info, &row, 1);
        if (info.next_scanline % 64 == 0) {
            progress->SetPosition(static_cast<int>(100ull * info.next_scanline / info.image_height));
            if (progress->CancelRequested()) {
                *cancelled = true;
                jpeg_abort_compress(&info);
                jpeg_destroy_compress(&info);
                return false;
            }
        }
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

bool EncodeJpeg(const QImage& image, int quality, Progress& progress, std::string& bytes,
                std::string& error) {
    const QImage rgbImage = image.convertToFormat(QImage::Format_RGB888);
    const int width = rgbImage.width();
    const int height = rgbImage.height();
    if (width <= 0 || height <= 0) {
        error = "the image is empty";
        return false;
    }
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    for (int y = 0; y < height; ++y) {
        const uchar* line = rgbImage.constScanLine(y);
        std::copy(line, line + static_cast<std::ptrdiff_t>(width) * 3,
                  rgb.begin() + static_cast<std::ptrdiff_t>(y) * width * 3);
    }
    jpeg_compress_struct info{};
    JpegError jpegError{};
    info.err = jpeg_std_error(&jpegError.manager);
    jpegError.manager.error_exit = OnJpegError;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    bool cancelled = false;
    progress.SetMaximum(100);
    const bool ok = Compress(info, jpegError, rgb, width, height, std::clamp(quality, 1, 100), &buffer, &size,
                             &progress, &cancelled);
    if (ok) {
        bytes.assign(reinterpret_cast<const char*>(buffer), size);
        progress.SetPosition(100);
    } else {
        error = cancelled ? "cancelled" : std::string("JPEG compression failed: ") + jpegError.message;
    }
    std::free(buffer);
    return ok;
}

} // namespace ixo
