#include "ui/print/image_export_dialog.h"

#include "ui/main/help_key.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace ixo {
namespace {

QString Qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

ImageExportDialog::ImageExportDialog(QWidget* parent, const std::filesystem::path& folder)
    : QDialog(parent), m_settings(folder) {
    setWindowTitle(QStringLiteral("Save image"));
    InstallHelpKey(this);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    auto* fileRow = new QHBoxLayout;
    m_file = new QLineEdit(Qs(m_settings.FileName()), this);
    m_file->setMinimumWidth(360);
    auto* browse = new QPushButton(QStringLiteral("..."), this);
    fileRow->addWidget(m_file);
    fileRow->addWidget(browse);
    form->addRow(QStringLiteral("Filename"), fileRow);
    m_paper = new QComboBox(this);
    for (const std::string& item : ImageExportSettings::PaperItems()) {
        m_paper->addItem(Qs(item));
    }
    form->addRow(QStringLiteral("Size"), m_paper);
    m_resolution = new QComboBox(this);
    for (const std::string& item : ImageExportSettings::ResolutionItems()) {
        m_resolution->addItem(Qs(item));
    }
    form->addRow(QStringLiteral("Resolution (dpi)"), m_resolution);
    m_pages = new QComboBox(this);
    for (const std::string& item : SheetPagesChoice::Items()) {
        m_pages->addItem(Qs(item));
    }
    form->addRow(QStringLiteral("Pages"), m_pages);
    m_everyFloor = new QCheckBox(QStringLiteral("Draw every floor (else floors drawn alike once)"), this);
    form->addRow(QString(), m_everyFloor);
    layout->addLayout(form);
    auto* orientationBox = new QGroupBox(QStringLiteral("Orientation"), this);
    auto* orientationLayout = new QHBoxLayout(orientationBox);
    m_orientation = new QButtonGroup(this);
    int id = 0;
    for (const std::string& item : ImageExportSettings::OrientationItems()) {
        auto* button = new QRadioButton(Qs(item), orientationBox);
        m_orientation->addButton(button, id++);
        orientationLayout->addWidget(button);
    }
    m_orientation->button(m_settings.OrientationIndex())->setChecked(true);
    layout->addWidget(orientationBox);
    auto* buttons = new QHBoxLayout;
    m_jpeg = new QPushButton(QStringLiteral("JPEG options"), this);
    m_jpeg->setEnabled(m_settings.JpegOptionsEnabled());
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    ok->setDefault(true);
    buttons->addWidget(m_jpeg);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(browse, &QPushButton::clicked, this, [this] { BrowseForFile(); });
    connect(m_jpeg, &QPushButton::clicked, this, [this] { OpenJpegOptions(); });
    connect(ok, &QPushButton::clicked, this, [this] { accept(); });
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
    connect(m_file, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_settings.SetFileName(text.toStdString()); });
    connect(m_paper, &QComboBox::currentIndexChanged, this, [this](int i) { m_settings.SetPaperIndex(i); });
    connect(m_resolution, &QComboBox::currentIndexChanged, this,
            [this](int i) { m_settings.SetResolutionIndex(i); });
    connect(m_pages, &QComboBox::currentIndexChanged, this,
            [this](int i) { m_settings.Pages().SetIndex(i); });
    connect(m_everyFloor, &QCheckBox::toggled, this,
            [this](bool on) { m_settings.Pages().SetEveryFloor(on); });
    connect(m_orientation, &QButtonGroup::idClicked, this,
            [this](int i) { m_settings.SetOrientationIndex(i); });
}

void ImageExportDialog::ChooseFile(const QString& fileName) {
    m_settings.ChooseFile(fileName.toStdString());
    m_file->setText(fileName);
    m_jpeg->setEnabled(m_settings.JpegOptionsEnabled());
}

void ImageExportDialog::BrowseForFile() {
    const QString chosen = QFileDialog::getSaveFileName(this, QStringLiteral("Save image"), m_file->text(),
                                                        Qs(ImageExportSettings::FileFilter()));
    if (!chosen.isEmpty()) {
        ChooseFile(chosen);
    }
}

void ImageExportDialog::OpenJpegOptions() {
    JpegOptionsDialog options(this, m_settings.Quality());
    if (options.exec() == QDialog::Accepted) {
        m_settings.SetQuality(options.Quality());
    }
}

void ImageExportDialog::done(int result) {
    // OK without a file name is not accepted: the dialog stays open.
    if (result == QDialog::Accepted && !m_settings.CanAccept()) {
        m_file->setFocus();
        return;
    }
    QDialog::done(result);
}

JpegOptionsDialog::JpegOptionsDialog(QWidget* parent, int quality) : QDialog(parent), m_setting(quality) {
    setWindowTitle(QStringLiteral("JPEG options"));
    InstallHelpKey(this);
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Best compression"), this));
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setRange(JpegQualitySetting::kMinimum, JpegQualitySetting::kMaximum);
    m_slider->setPageStep(JpegQualitySetting::kPageStep);
    m_slider->setTickInterval(JpegQualitySetting::kTickInterval);
    m_slider->setTickPosition(QSlider::TicksBelow);
    row->addWidget(m_slider);
    row->addWidget(new QLabel(QStringLiteral("Best quality"), this));
    layout->addLayout(row);
    m_gauge = new QLabel(this);
    m_gauge->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_gauge);
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("Ok"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto* byDefault = new QPushButton(QStringLiteral("Default"), this);
    buttons->addWidget(byDefault);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(m_slider, &QSlider::valueChanged, this, [this](int value) {
        m_setting.Set(value);
        m_gauge->setText(QString::number(m_setting.Value()));
    });
    connect(byDefault, &QPushButton::clicked, this, [this] { PressDefault(); });
    connect(ok, &QPushButton::clicked, this, [this] { accept(); });
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
    Show();
}

void JpegOptionsDialog::PressDefault() {
    m_setting.Default();
    Show();
}

void JpegOptionsDialog::Show() {
    m_slider->setValue(m_setting.Value());
    m_gauge->setText(QString::number(m_setting.Value()));
}

} // namespace ixo
