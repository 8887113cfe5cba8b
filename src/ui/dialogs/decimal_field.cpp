#include "ui/dialogs/decimal_field.h"

#include "ui/dialogs/number_keys.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>

namespace ixo {

void DecimalKeyFilter::Install(QLineEdit* edit, QChar separator) {
    edit->installEventFilter(new DecimalKeyFilter(edit, separator));
}

bool DecimalKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    // Return and Enter type nothing into the field but go on to the dialog, whose default button takes
    // them.
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        return false;
    }
    const QString text = key->text();
    // Keys without a character (arrows, Tab, F1) and shortcuts with Ctrl pass untouched.
    if (text.size() != 1 || (key->modifiers() & Qt::ControlModifier) != 0) {
        return false;
    }
    const QChar typed = text.front();
    const std::optional<char32_t> accepted = DecimalKey(typed.unicode(), m_separator.unicode());
    if (!accepted.has_value()) {
        return true; // dropped
    }
    if (*accepted != typed.unicode()) {
        if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
            edit->insert(QString(QChar(static_cast<char16_t>(*accepted))));
        }
        return true;
    }
    return false;
}

char LocaleDecimalSeparator() {
    const QString point = QLocale().decimalPoint();
    return point == QStringLiteral(",") ? ',' : '.';
}

} // namespace ixo
