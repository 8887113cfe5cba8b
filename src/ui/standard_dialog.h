#pragma once

// "Standard and signal quality": the standard preset the project is checked against and the quality
// of its sources. The choices and their rules live in StandardChoice.
#include "ui/standard_choice.h"

#include <QDialog>

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
    QLineEdit* LnbEdit() const { return m_lnb; }
    // Closing with OK is refused (with the reason shown) while a value is invalid.
    void done(int result) override;

private:
    StandardChoice m_choice;
    QComboBox* m_standard = nullptr;
    QLabel* m_window = nullptr;
    QLineEdit* m_antenna = nullptr;
    QLineEdit* m_lnb = nullptr;
};

} // namespace ixo
