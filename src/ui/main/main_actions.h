#pragma once

// The window's commands as actions, named as the menus and tool bars know them, with their captions,
// hints, shortcuts and icons; the menus and tool bars that show them; and their enabled states.
#include <QString>

#include <map>
#include <vector>

class QAction;
class QActionGroup;
class QKeySequence;
class QMainWindow;
class QMenu;

namespace ixo {

struct ActionStates;

class MainActions {
public:
    // The actions are children of window.
    explicit MainActions(QMainWindow& window);

    QAction* Action(const QString& name) const;
    // The zoom menu's steps, in ZoomSteps' order.
    const std::vector<QAction*>& ZoomSteps() const { return m_zoomSteps; }
    // The File menu's "Recent files".
    QMenu* RecentMenu() const { return m_recentMenu; }

    // The menus and the tool bars of window.
    void MakeMenusAndToolBars(QMainWindow& window);
    // Enables the commands as the states say.
    void Enable(const ActionStates& states);

private:
    QAction* Make(const char* name, const QString& caption, const QString& hint,
                  const QKeySequence& shortcut);

    QMainWindow& m_window;
    std::map<QString, QAction*> m_actions;
    QActionGroup* m_zoomGroup = nullptr;
    std::vector<QAction*> m_zoomSteps;
    QMenu* m_recentMenu = nullptr;
};

} // namespace ixo
