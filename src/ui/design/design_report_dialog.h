#pragma once

// The account of an automatic design: its text in a read-only, scrollable box (a tall building's list
// of controls is long), and Close.
#include <QDialog>

class QPlainTextEdit;

namespace ixo {

class DesignReportDialog : public QDialog {
public:
    DesignReportDialog(const QString& text, QWidget* parent);
    QPlainTextEdit* Text() const { return m_text; }

private:
    QPlainTextEdit* m_text = nullptr;
};

} // namespace ixo
