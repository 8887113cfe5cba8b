#include "widgets_app.h"

#include "support/temp_dir.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

namespace ixo::test {
namespace {

// Owns the application and ends it when the tests end, before the program's exit handlers run (Qt's own
// statics go then, and an application still alive at that point crashes on its way out). The settings go to
// a folder of this process alone: ctest runs test programs side by side, and a shared folder emptied by one
// of them while another starts made tests fail at random.
class WidgetsEnvironment : public ::testing::Environment {
public:
    WidgetsEnvironment() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        m_config = std::make_unique<TempDir>();
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(m_config->Path().string()));
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
        QApplication::setOrganizationName(QStringLiteral("IxoTests"));
        QApplication::setApplicationName(QStringLiteral("Ixo2"));
    }
    void TearDown() override {
        m_app.reset();
        m_config.reset();
    }

private:
    int m_argc = 1;
    char m_name[16] = "ixo_ui_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<TempDir> m_config;
    std::unique_ptr<QApplication> m_app;
};

} // namespace

void EnsureWidgetsApplication() {
    if (QApplication::instance() != nullptr) {
        return;
    }
    // Google Test owns the environments it is given.
    ::testing::AddGlobalTestEnvironment(new WidgetsEnvironment);
}

} // namespace ixo::test
