#pragma once

// "Create reports": the reports as large icons; Ok or a double click on an item chooses it.
#include "ui/report_chooser/report_chooser_rules.h"

#include <QDialog>

class QListWidget;
class QPushButton;

namespace ixo {

class ReportChooserDialog : public QDialog {
public:
    explicit ReportChooserDialog(QWidget* parent = nullptr);

    // The chosen report's index, -1 for none.
    int Chosen() const { return m_rules.Chosen(); }
    QListWidget* List() const { return m_list; }
    QPushButton* OkButton() const { return m_ok; }

private:
    ReportChooserRules m_rules;
    QListWidget* m_list = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace ixo
