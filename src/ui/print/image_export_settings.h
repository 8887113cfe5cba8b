#pragma once

// The choices of the "Save image" dialog and of its "JPEG options", without widgets: the file name and
// its format, paper, resolution, orientation and JPEG quality, when the JPEG options can be opened and
// when OK is accepted.
#include "render/sheet_export.h"
#include "ui/print/sheet_pages_choice.h"

#include <filesystem>
#include <string>
#include <vector>

namespace ixo {

class ImageExportSettings {
public:
    static constexpr int kDefaultQuality = 75;
    // The default file: folder + "Ixo schematic.bmp".
    explicit ImageExportSettings(const std::filesystem::path& folder);

    static const std::vector<std::string>& PaperItems();       // "A4 (297 mm x 210 mm)", ...
    static const std::vector<std::string>& ResolutionItems();  // "150", "300"
    static const std::vector<std::string>& OrientationItems(); // "Vertical", "Horizontal"
    // The save dialog's filter: BMP and JPEG, then the other formats the sheet can be saved in.
    static std::string FileFilter();

    const std::string& FileName() const { return m_fileName; }
    // A file chosen in the save dialog (or typed): the JPEG options follow its format.
    void ChooseFile(const std::string& fileName);
    // A name typed into the field, without the save dialog.
    void SetFileName(const std::string& fileName) { m_fileName = fileName; }
    bool JpegOptionsEnabled() const { return m_jpegOptionsEnabled; }

    int PaperIndex() const { return m_paper; }
    void SetPaperIndex(int index);
    int ResolutionIndex() const { return m_resolution; }
    void SetResolutionIndex(int index);
    int OrientationIndex() const { return m_orientation; }
    void SetOrientationIndex(int index);
    int Quality() const { return m_quality; }
    // Clamped to 1..100.
    void SetQuality(int quality);

    // OK is accepted only with a file name.
    bool CanAccept() const;
    // The format of the file: BMP for ".bmp"; PNG, PDF and SVG for their extensions; JPEG otherwise.
    SheetFormat Format() const;
    ExportOptions Options(const PageSetup& margins) const;
    // One sheet or the drawing set, and whether the set draws every floor.
    SheetPagesChoice& Pages() { return m_pages; }
    const SheetPagesChoice& Pages() const { return m_pages; }

private:
    std::string m_fileName;
    bool m_jpegOptionsEnabled = false;
    int m_paper = 0;
    int m_resolution = 0;
    int m_orientation = 1;
    int m_quality = kDefaultQuality;
    SheetPagesChoice m_pages;
};

// The JPEG options dialog: a quality from 1 to 100, "Default" sets 75.
class JpegQualitySetting {
public:
    explicit JpegQualitySetting(int quality) { Set(quality); }
    static constexpr int kMinimum = 1;
    static constexpr int kMaximum = 100;
    static constexpr int kPageStep = 10;
    static constexpr int kTickInterval = 5;
    int Value() const { return m_value; }
    void Set(int quality);
    void Default() { m_value = ImageExportSettings::kDefaultQuality; }

private:
    int m_value = ImageExportSettings::kDefaultQuality;
};

} // namespace ixo
