#include "screenshots.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>

namespace ixo::test {

bool SaveScreenshot(QWidget& widget, const char* name) {
    const QByteArray folder = qgetenv("IXO_SCREENSHOTS");
    if (folder.isEmpty()) {
        return true;
    }
    QApplication::processEvents();
    QDir().mkpath(QString::fromLocal8Bit(folder));
    return widget.grab().save(
        QDir(QString::fromLocal8Bit(folder)).filePath(QString::fromUtf8(name) + ".png"));
}

} // namespace ixo::test
