#pragma once

// The cable length dialog ("Change distance"): one decimal edit in metres. Its rules are
// LengthDialogModel's; a text that is not a length never closes it with OK.
#include "ui/dialogs/length_dialog_model.h"

#include <QDialog>

class QLineEdit;

namespace ixo {

class LengthDialog : public QDialog {
public:
    explicit LengthDialog(QWidget* parent);

    void SetLength(double metres);
    // The new length after OK.
    double Length() const { return m_model.Length(); }
    QLineEdit* Edit() const { return m_edit; }

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Refuse();

    LengthDialogModel m_model;
    QLineEdit* m_edit = nullptr;
};

} // namespace ixo
