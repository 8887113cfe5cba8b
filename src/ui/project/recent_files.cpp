#include "ui/project/recent_files.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace ixo {
namespace {

constexpr std::size_t kRecentFiles = 6;

} // namespace

RecentFiles::RecentFiles(QString defaultFolder) : m_defaultFolder(std::move(defaultFolder)) {}

void RecentFiles::Load() {
    QSettings settings;
    const QStringList recent = settings.value(QStringLiteral("recentFiles")).toStringList();
    m_files.assign(recent.begin(), recent.end());
    FillMenu();
}

void RecentFiles::Add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    std::erase(m_files, absolute);
    m_files.insert(m_files.begin(), absolute);
    if (m_files.size() > kRecentFiles) {
        m_files.resize(kRecentFiles);
    }
    QSettings settings;
    settings.setValue(QStringLiteral("recentFiles"), QStringList(m_files.begin(), m_files.end()));
    FillMenu();
}

QString RecentFiles::LastFolder() const {
    QSettings settings;
    const QString folder = settings.value(QStringLiteral("lastFolder")).toString();
    return folder.isEmpty() ? m_defaultFolder : folder;
}

void RecentFiles::RememberFolder(const QString& file) {
    QSettings settings;
    settings.setValue(QStringLiteral("lastFolder"), QFileInfo(file).absolutePath());
}

void RecentFiles::SetMenu(QMenu* menu, std::function<void(const QString&)> open) {
    m_menu = menu;
    m_open = std::move(open);
    FillMenu();
}

void RecentFiles::FillMenu() {
    if (m_menu == nullptr) {
        return;
    }
    m_menu->clear();
    int number = 1;
    for (const QString& file : m_files) {
        QAction* item = m_menu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(file));
        QObject::connect(item, &QAction::triggered, m_menu, [this, file] {
            if (m_open) {
                m_open(file);
            }
        });
    }
    m_menu->setEnabled(!m_files.empty());
}

} // namespace ixo
