#pragma once

// The files remembered between runs: the recent projects (newest first, at most six, as the File menu's
// "Recent files" lists them) and the folder of the last project or document opened or saved.
#include <QString>

#include <functional>
#include <vector>

class QMenu;

namespace ixo {

class RecentFiles {
public:
    // defaultFolder: the folder offered before anything was remembered.
    explicit RecentFiles(QString defaultFolder);

    // Reads the list remembered by the last run.
    void Load();
    // path goes first (absolute, once); the list is remembered at once and the menu filled again.
    void Add(const QString& path);
    const std::vector<QString>& Files() const { return m_files; }

    QString LastFolder() const;
    // Remembers the folder of file.
    void RememberFolder(const QString& file);

    // The menu listing the files; choosing one calls open with it.
    void SetMenu(QMenu* menu, std::function<void(const QString&)> open);

private:
    void FillMenu();

    QString m_defaultFolder;
    std::vector<QString> m_files;
    QMenu* m_menu = nullptr;
    std::function<void(const QString&)> m_open;
};

} // namespace ixo
