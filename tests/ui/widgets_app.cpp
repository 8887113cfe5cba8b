#include "widgets_app.h"

#include <QApplication>
#include <QDir>
#include <QSettings>

#include <cstdlib>
#include <filesystem>

namespace ixo::test {

void EnsureWidgetsApplication() {
    if (QApplication::instance() != nullptr) {
        return;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::filesystem::path config = std::filesystem::temp_directory_path() / "ixo-ui-tests-config";
    std::filesystem::remove_all(config);
    std::filesystem::create_directories(config);
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.string()));
    static int argc = 1;
    static char name[] = "ixo_ui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("IxoTests"));
    QApplication::setApplicationName(QStringLiteral("Ixo2"));
}

} // namespace ixo::test
