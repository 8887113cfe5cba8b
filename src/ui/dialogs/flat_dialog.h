#pragma once

// The flat dialog: outlets per flat, the distribution inside the flat, the flat's name and "Change all
// apartments". Its rules are FlatDialogModel's.
#include "ui/dialogs/flat_dialog_model.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace ixo {

class FlatDialog : public QDialog {
public:
    explicit FlatDialog(QWidget* parent);

    void SetFlat(const Tvivienda& flat);
    void SetFlat(std::string_view name, std::int32_t outlets, std::int32_t distribution);
    // The choice after OK.
    const FlatDialogModel::Choice& Result() const { return m_result; }
    const FlatDialogModel& Model() const { return m_model; }

    QComboBox* Outlets() const { return m_outlets; }
    QComboBox* Distribution() const { return m_distribution; }
    QLineEdit* Name() const { return m_name; }
    QCheckBox* AllFlats() const { return m_all; }

    void accept() override;

private:
    void ShowModel();

    FlatDialogModel m_model;
    FlatDialogModel::Choice m_result;
    QComboBox* m_outlets = nullptr;
    QComboBox* m_distribution = nullptr;
    QLineEdit* m_name = nullptr;
    QCheckBox* m_all = nullptr;
};

} // namespace ixo
