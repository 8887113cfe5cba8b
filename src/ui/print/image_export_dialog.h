#pragma once

// "Save image": the file, paper, resolution and orientation of an exported sheet, and "JPEG options"
// with the JPEG quality. The choices and their rules live in ImageExportSettings.
#include "ui/print/image_export_settings.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QButtonGroup;
class QCheckBox;
class QSlider;
class QLabel;

namespace ixo {

class ImageExportDialog : public QDialog {
public:
    ImageExportDialog(QWidget* parent, const std::filesystem::path& folder);

    const ImageExportSettings& Settings() const { return m_settings; }
    // The file as if chosen with the save dialog.
    void ChooseFile(const QString& fileName);
    QLineEdit* FileEdit() const { return m_file; }
    QPushButton* JpegButton() const { return m_jpeg; }
    QComboBox* PaperBox() const { return m_paper; }
    QComboBox* ResolutionBox() const { return m_resolution; }
    QButtonGroup* OrientationGroup() const { return m_orientation; }
    QComboBox* PagesBox() const { return m_pages; }
    QCheckBox* EveryFloorBox() const { return m_everyFloor; }
    void done(int result) override;

private:
    void BrowseForFile();
    void OpenJpegOptions();

    ImageExportSettings m_settings;
    QLineEdit* m_file = nullptr;
    QComboBox* m_paper = nullptr;
    QComboBox* m_resolution = nullptr;
    QButtonGroup* m_orientation = nullptr;
    QComboBox* m_pages = nullptr;
    QCheckBox* m_everyFloor = nullptr;
    QPushButton* m_jpeg = nullptr;
};

class JpegOptionsDialog : public QDialog {
public:
    JpegOptionsDialog(QWidget* parent, int quality);
    int Quality() const { return m_setting.Value(); }
    QSlider* Slider() const { return m_slider; }
    void PressDefault();

private:
    void Show();

    JpegQualitySetting m_setting;
    QSlider* m_slider = nullptr;
    QLabel* m_gauge = nullptr;
};

} // namespace ixo
