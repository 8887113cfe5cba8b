// ixo: the desktop program. Start-up: the settings file and project folder beside the program, the
// splash window, the catalogue (the program ends with its message when it is missing or damaged), the
// settings and level limits, then the main window; a project named on the command line opens when the
// window is first shown.
#include "common/paths.h"
#include "ui/main/app_session.h"
#include "ui/main/main_window.h"
#include "ui/main/splash_window.h"
#include "ui/main/window_rules.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QElapsedTimer startUp;
    startUp.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromStdString(std::string(ixo::kApplicationTitle)));
    QApplication::setOrganizationName(QStringLiteral("Ixo"));

    ixo::AppSession session(ixo::ExecutableDirectory());
    ixo::MainWindow window(session);
    std::string message;
    {
        ixo::SplashWindow splash(nullptr, false);
        splash.show();
        QApplication::processEvents();
        if (!session.Load(message)) {
            splash.hide();
            QMessageBox::critical(nullptr, QString::fromStdString(std::string(ixo::kApplicationTitle)),
                                  QString::fromStdString(message));
            return EXIT_FAILURE;
        }
    }
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        window.OpenWhenShown(arguments.at(1));
    }
    // A scripted run (the window's end-to-end test) reads what the status bar said from standard error.
    if (std::getenv("IXO_REPORT_STATUS") != nullptr) {
        window.statusShown = [](const QString& text) {
            std::fprintf(stderr, "ixo: status: %s\n", text.toUtf8().constData());
        };
    }
    window.show();
    if (std::getenv("IXO_REPORT_STARTUP") != nullptr) {
        QTimer::singleShot(0, &window, [&startUp] {
            std::fprintf(stderr, "ixo: window shown %lld ms after start\n",
                         static_cast<long long>(startUp.elapsed()));
        });
    }
    return QApplication::exec();
}
