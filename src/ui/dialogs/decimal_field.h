#pragma once

// The decimal key filter on an edit: digits, "-", the decimal separator and control keys pass, "." and
// "," type the separator of the user's locale, every other character is dropped.
#include <QObject>

class QLineEdit;

namespace ixo {

class DecimalKeyFilter : public QObject {
public:
    // Filters the keys of edit (installed on it, owned by it).
    static void Install(QLineEdit* edit, QChar separator);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DecimalKeyFilter(QObject* parent, QChar separator) : QObject(parent), m_separator(separator) {}
    QChar m_separator;
};

// The decimal separator of the user's locale.
char LocaleDecimalSeparator();

} // namespace ixo
