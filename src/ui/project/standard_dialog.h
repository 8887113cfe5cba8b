#pragma once

// "Standard and signal quality": the standard preset the project is checked against and the quality
// of its sources. The choices and their rules live in StandardChoice.
#include "ui/project/standard_choice.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;

namespace ixo {

class StandardDialog : public QDialog {
public:
    StandardDialog(QWidget* parent, const Tproyecto& project);

    const StandardChoice& Choice() const { return m_choice; }
    QComboBox* StandardBox() const { return m_standard; }
    QLineEdit* AntennaEdit() const { return m_antenna; }
    // The quick way: one LNB C/N for the four IF bands (typing it fills the four band fields).
    QLineEdit* LnbEdit() const { return m_lnb; }
    QLineEdit* LnbBandEdit(std::size_t band) const { return m_lnbBands.at(band); }
    // Closing with OK is refused (with the reason shown) while a value is invalid.
    void done(int result) override;

private:
    StandardChoice m_choice;
    QComboBox* m_standard = nullptr;
    QLabel* m_window = nullptr;
    QLineEdit* m_antenna = nullptr;
    QLineEdit* m_lnb = nullptr;
    std::array<QLineEdit*, StandardChoice::kLnbBands> m_lnbBands{};
};

} // namespace ixo
