#include "ui/print/image_export_settings.h"

#include "common/ascii_case.h"

#include <algorithm>

namespace ixo {

ImageExportSettings::ImageExportSettings(const std::filesystem::path& folder)
    : m_fileName((folder / "Ixo schematic.bmp").string()) {}

const std::vector<std::string>& ImageExportSettings::PaperItems() {
    static const std::vector<std::string> items = {"A4 (297 mm x 210 mm)", "A3 (420 mm x 297 mm)",
                                                   "A2 (594 mm x 420 mm)"};
    return items;
}

const std::vector<std::string>& ImageExportSettings::ResolutionItems() {
    static const std::vector<std::string> items = {"150", "300"};
    return items;
}

const std::vector<std::string>& ImageExportSettings::OrientationItems() {
    static const std::vector<std::string> items = {"Vertical", "Horizontal"};
    return items;
}

std::string ImageExportSettings::FileFilter() {
    return "BMP (*.bmp);;JPEG (*.jpg);;PNG (*.png);;PDF (*.pdf);;SVG (*.svg)";
}

void ImageExportSettings::ChooseFile(const std::string& fileName) {
    m_fileName = fileName;
    m_jpegOptionsEnabled = Format() == SheetFormat::Jpeg;
}

void ImageExportSettings::SetPaperIndex(int index) {
    if (index >= 0 && index < static_cast<int>(PaperItems().size())) {
        m_paper = index;
    }
}

void ImageExportSettings::SetResolutionIndex(int index) {
    if (index >= 0 && index < static_cast<int>(ResolutionItems().size())) {
        m_resolution = index;
    }
}

void ImageExportSettings::SetOrientationIndex(int index) {
    if (index == 0 || index == 1) {
        m_orientation = index;
    }
}

void ImageExportSettings::SetQuality(int quality) {
    m_quality = std::clamp(quality, JpegQualitySetting::kMinimum, JpegQualitySetting::kMaximum);
}

bool ImageExportSettings::CanAccept() const {
    return !m_fileName.empty();
}

SheetFormat ImageExportSettings::Format() const {
    const std::string extension = UpperAscii(std::filesystem::path(m_fileName).extension().string());
    if (extension == ".BMP") {
        return SheetFormat::Bmp;
    }
    if (extension == ".PNG") {
        return SheetFormat::Png;
    }
    if (extension == ".PDF") {
        return SheetFormat::Pdf;
    }
    if (extension == ".SVG") {
        return SheetFormat::Svg;
    }
    return SheetFormat::Jpeg;
}

ExportOptions ImageExportSettings::Options(const PageSetup& margins) const {
    ExportOptions options;
    options.format = Format();
    options.paper = m_paper == 0 ? Paper::A4 : m_paper == 1 ? Paper::A3 : Paper::A2;
    options.dpi = m_resolution == 0 ? 150 : 300;
    options.orientation = m_orientation == 0 ? PaperOrientation::Vertical : PaperOrientation::Horizontal;
    options.quality = m_quality;
    options.margins = margins;
    return options;
}

void JpegQualitySetting::Set(int quality) {
    m_value = std::clamp(quality, kMinimum, kMaximum);
}

} // namespace ixo
