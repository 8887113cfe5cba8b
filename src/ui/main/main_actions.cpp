#include "ui/main/main_actions.h"

#include "ui/main/window_rules.h"
#include "ui/sheet/zoom_steps.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenuBar>
#include <QPrinterInfo>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace ixo {
namespace {

QString Qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

MainActions::MainActions(QMainWindow& window) : m_window(window) {
    QStyle* s = window.style();
    const QString title = Qs(std::string(kApplicationTitle));
    Make("AFilenew", QStringLiteral("&New"), QStringLiteral("New"), QKeySequence(Qt::CTRL | Qt::Key_N))
        ->setIcon(s->standardIcon(QStyle::SP_FileIcon));
    Make("AFileopen", QStringLiteral("&Open"), QStringLiteral("Open"), QKeySequence(Qt::CTRL | Qt::Key_O))
        ->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
    Make("Aclose", QStringLiteral("&Close"), QStringLiteral("Close"), {})
        ->setIcon(s->standardIcon(QStyle::SP_DialogCloseButton));
    Make("ASave", QStringLiteral("&Save"), QStringLiteral("Save"), QKeySequence(Qt::CTRL | Qt::Key_S))
        ->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
    Make("Asaveas", QStringLiteral("Save &as... "), QStringLiteral("Save as"), {});
    Make("ABmp", QStringLiteral("Save image"), QStringLiteral("Save image"), {});
    Make("APagesetup", QStringLiteral("Pa&ge setup"), QStringLiteral("Page setup"), {})
        ->setIcon(s->standardIcon(QStyle::SP_FileDialogDetailedView));
    Make("APrint", QStringLiteral("&Print"),
         Qs(PrinterCaption(QPrinterInfo::defaultPrinterName().toStdString())),
         QKeySequence(Qt::CTRL | Qt::Key_P))
        ->setIcon(s->standardIcon(QStyle::SP_ComputerIcon));
    Make("APrintPreview", QStringLiteral("Print pre&view"), QStringLiteral("Print preview"), {});
    Make("AExit", QStringLiteral("&Exit"), QStringLiteral("Exit"), {});
    Make("AZoomP", QStringLiteral("Zoom in"), QStringLiteral("Zoom in"),
         QKeySequence(Qt::CTRL | Qt::Key_Plus));
    Make("AzoomM", QStringLiteral("Zoom out"), QStringLiteral("Zoom out"),
         QKeySequence(Qt::CTRL | Qt::Key_Minus));
    Make("AZoomAll", QStringLiteral("Zoom all"), QStringLiteral("Zoom all"),
         QKeySequence(Qt::CTRL | Qt::Key_0));
    Make("Encuadre", QStringLiteral("PAN"), QStringLiteral("PAN"), {})->setCheckable(true);
    Make("Errorlevel", QStringLiteral("List of error levels"), QStringLiteral("List of error levels"), {});
    Make("AConfiguration", QStringLiteral("Configuration"), QStringLiteral("Configuration"), {});
    Make("AISchematic", QStringLiteral("Project information"), QStringLiteral("Project information"), {});
    Make("AStandard", QStringLiteral("Standard and signal quality..."),
         QStringLiteral("The standard the outlets are checked against and the quality of the sources"), {});
    const struct {
        const char* name;
        const char* caption;
        Qt::Key key;
    } tools[] = {{"Aruler", "Change distance", Qt::Key_D}, {"Anivel", "Levels", Qt::Key_L},
                 {"Aedit", "Edit Components", Qt::Key_E},  {"AInsert", "Add amplifier", Qt::Key_I},
                 {"Amamp", "Remove amplifier", Qt::Key_R}, {"AAmpReg", "Component regulation", Qt::Key_V}};
    for (const auto& tool : tools) {
        const QString caption = QString::fromLatin1(tool.caption);
        Make(tool.name, caption, caption, QKeySequence(Qt::CTRL | tool.key))->setCheckable(true);
    }
    Make("ADesign", QStringLiteral("Automatic design"),
         QStringLiteral(
             "Regulate the controls, choose cables, tap grades and amplifiers for the limits (one step "
             "to undo)"),
         {});
    Make("CrearInformes", QStringLiteral("Create"), QStringLiteral("Create"), {});
    Make("Verinformes", QStringLiteral("Open"), QStringLiteral("Open"), {});
    Make("AUndo", QStringLiteral("&Undo"), QStringLiteral("Undo the last change"),
         QKeySequence(Qt::CTRL | Qt::Key_Z))
        ->setIcon(s->standardIcon(QStyle::SP_ArrowBack));
    Make("ARedo", QStringLiteral("&Redo"), QStringLiteral("Redo the change undone last"),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z))
        ->setIcon(s->standardIcon(QStyle::SP_ArrowForward));
    Make("AHelpC", QStringLiteral("Contents"), QStringLiteral("Help"), QKeySequence(Qt::Key_F1))
        ->setIcon(s->standardIcon(QStyle::SP_DialogHelpButton));
    Make("AAbout", QStringLiteral("About %1").arg(title), QStringLiteral("About %1").arg(title), {});

    m_zoomGroup = new QActionGroup(&window);
    m_zoomGroup->setExclusive(true);
    for (int i = 0; i < ZoomStepCount(); ++i) {
        auto* step = new QAction(Qs(ZoomStepText(i)), m_zoomGroup);
        step->setCheckable(true);
        step->setData(ZoomStepPercent(i));
        step->setChecked(i == 0);
        m_zoomSteps.push_back(step);
    }
}

QAction* MainActions::Make(const char* name, const QString& caption, const QString& hint,
                           const QKeySequence& shortcut) {
    auto* action = new QAction(caption, &m_window);
    action->setObjectName(QString::fromLatin1(name));
    action->setToolTip(hint);
    action->setStatusTip(hint);
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
    }
    m_actions[action->objectName()] = action;
    return action;
}

QAction* MainActions::Action(const QString& name) const {
    const auto found = m_actions.find(name);
    return found == m_actions.end() ? nullptr : found->second;
}

void MainActions::MakeMenusAndToolBars(QMainWindow& window) {
    QMenuBar* bar = window.menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->addActions({Action("AFilenew"), Action("AFileopen"), Action("Aclose")});
    m_recentMenu = file->addMenu(QStringLiteral("Recent files"));
    file->addSeparator();
    file->addActions({Action("ASave"), Action("Asaveas"), Action("ABmp")});
    file->addSeparator();
    file->addActions({Action("APagesetup"), Action("APrint"), Action("APrintPreview")});
    file->addSeparator();
    file->addAction(Action("AExit"));
    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->addActions({Action("AUndo"), Action("ARedo")});
    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    view->addActions({Action("AZoomP"), Action("AzoomM"), Action("AZoomAll")});
    view->addSeparator();
    view->addAction(Action("Errorlevel"));
    QMenu* options = bar->addMenu(QStringLiteral("&Options"));
    options->addAction(Action("AConfiguration"));
    options->addAction(Action("AStandard"));
    options->addSeparator();
    options->addAction(Action("AISchematic"));
    QMenu* tools = bar->addMenu(QStringLiteral("&Tools"));
    tools->addActions({Action("Aruler"), Action("Anivel"), Action("Aedit"), Action("AInsert"),
                       Action("Amamp"), Action("AAmpReg")});
    tools->addSeparator();
    tools->addAction(Action("ADesign"));
    QMenu* reports = bar->addMenu(QStringLiteral("&Reports"));
    reports->addActions({Action("CrearInformes"), Action("Verinformes")});
    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->addAction(Action("AHelpC"));
    help->addSeparator();
    help->addAction(Action("AAbout"));

    QToolBar* standard = window.addToolBar(QStringLiteral("Standard"));
    standard->setObjectName(QStringLiteral("StandardBar"));
    standard->addActions({Action("AFilenew"), Action("AFileopen"), Action("ASave")});
    standard->addSeparator();
    standard->addActions({Action("APagesetup"), Action("APrint"), Action("Aclose"), Action("AUndo"),
                          Action("ARedo"), Action("AHelpC")});
    QToolBar* viewBar = window.addToolBar(QStringLiteral("View"));
    viewBar->setObjectName(QStringLiteral("ViewBar"));
    viewBar->addAction(Action("AZoomP"));
    auto* zoomMenu = new QMenu(&window);
    zoomMenu->addActions(m_zoomGroup->actions());
    if (auto* button = qobject_cast<QToolButton*>(viewBar->widgetForAction(Action("AZoomP")))) {
        button->setMenu(zoomMenu);
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }
    viewBar->addActions({Action("AzoomM"), Action("AZoomAll"), Action("Encuadre")});
    // The tools have a row of their own: beside the other bars they would hide behind the bar's "»" in
    // windows narrower than about 1,100 pixels.
    window.addToolBarBreak();
    QToolBar* toolBar = window.addToolBar(QStringLiteral("Tools"));
    toolBar->setObjectName(QStringLiteral("ToolsBar"));
    toolBar->addActions({Action("Aruler"), Action("Anivel"), Action("Aedit"), Action("AInsert"),
                         Action("Amamp"), Action("AAmpReg")});
}

void MainActions::Enable(const ActionStates& states) {
    Action("Aclose")->setEnabled(states.close);
    Action("ASave")->setEnabled(states.save);
    Action("Asaveas")->setEnabled(states.saveAs);
    Action("ABmp")->setEnabled(states.saveImage);
    Action("APagesetup")->setEnabled(states.pageSetup);
    Action("APrint")->setEnabled(states.print);
    Action("APrintPreview")->setEnabled(states.print);
    for (const char* name : {"AZoomP", "AzoomM", "AZoomAll", "Encuadre"}) {
        Action(QString::fromLatin1(name))->setEnabled(states.zoom);
    }
    for (QAction* step : m_zoomSteps) {
        step->setEnabled(states.zoom);
    }
    Action("Encuadre")->setChecked(false);
    Action("AUndo")->setEnabled(states.undo);
    Action("ARedo")->setEnabled(states.redo);
    for (const char* name :
         {"Errorlevel", "Aruler", "Anivel", "Aedit", "AInsert", "Amamp", "AAmpReg", "ADesign"}) {
        Action(QString::fromLatin1(name))->setEnabled(states.design);
    }
    // Reports and the standard need an open project; a saved report opens at any time.
    Action("CrearInformes")->setEnabled(states.close);
    Action("AStandard")->setEnabled(states.close);
    Action("Verinformes")->setEnabled(true);
    // The installation's defaults can be changed at any time; the title block is the open project's.
    Action("AConfiguration")->setEnabled(true);
    Action("AISchematic")->setEnabled(states.close);
}

} // namespace ixo
