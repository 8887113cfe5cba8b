#include "ui/results/result_windows.h"

#include "editing/regulation.h"
#include "model/ampli_base.h"
#include "model/multiswitch.h"
#include "ui/catalogue_explorer/catalogue_explorer_dialog.h"
#include "ui/levels/levels_window.h"
#include "ui/regulation/regulation_window.h"

#include <QPrintDialog>
#include <QPrinter>

namespace ixo {

ResultWindows::ResultWindows(QWidget& window, Hooks hooks) : m_window(window), m_hooks(std::move(hooks)) {
    m_levels = new LevelsWindow(&window);
    m_levels->polarityChanged = [this] {
        if (m_hooks.levelsChanged) {
            m_hooks.levelsChanged();
        }
    };
    choosePrinter = [this]() -> QPrinter* {
        if (!m_hooks.printer) {
            return nullptr;
        }
        QPrinter& printer = m_hooks.printer();
        QPrintDialog dialog(&printer, m_levels);
        return dialog.exec() == QDialog::Accepted ? &printer : nullptr;
    };
    m_levels->choosePrinter = [this] { return choosePrinter(); };
    runRegulation = [](RegulationWindow& regulation) { return regulation.exec(); };
    runExplorer = [](CatalogueExplorerDialog& explorer) { return explorer.exec(); };
}

ResultWindows::~ResultWindows() = default;

void ResultWindows::ShowLevels(Tproyecto& project, TPin& pin) {
    m_levels->SetProject(&project);
    m_levels->ShowPin(pin);
}

void ResultWindows::NetworkChanged() {
    if (m_levels->Model().Pin() != nullptr) {
        m_levels->Forget();
    }
}

bool ResultWindows::Regulate(Tproyecto& project, NetworkEditor& editor, TPrimerComponente& element) {
    if (!Regulation::Regulable(element)) {
        return false;
    }
    std::unique_ptr<RegulationModel> model;
    if (auto* amplifier = element.As<TAmpliBase>()) {
        model = std::make_unique<RegulationModel>(project, *amplifier);
    } else {
        model = std::make_unique<RegulationModel>(project, *element.As<TMultiswitch>());
    }
    RegulationWindow window(std::move(model), editor, &m_window);
    window.levelsChanged = [this] {
        // The levels window shows the network as it now stands (no element was freed).
        m_levels->Refresh();
        if (m_hooks.levelsChanged) {
            m_hooks.levelsChanged();
        }
    };
    runRegulation(window);
    const bool confirmed = window.Model().Confirmed();
    m_levels->Refresh();
    if (confirmed && m_hooks.edited) {
        // The window refreshes as after any edit, which forgets the pin shown; a regulation frees no
        // element, so the levels window shows it again.
        TPin* shown = m_levels->isVisible() ? m_levels->Model().Pin() : nullptr;
        m_hooks.edited();
        if (shown != nullptr) {
            ShowLevels(project, *shown);
        }
    }
    return confirmed;
}

std::optional<CatalogueChoice> ResultWindows::ChooseFromCatalogue(const TCatalogo& catalogue,
                                                                  std::int32_t family, std::int32_t group,
                                                                  std::int32_t indice, bool exact) {
    CatalogueExplorerDialog explorer(catalogue, &m_window);
    explorer.SetExact(exact);
    explorer.Prepare(family, group, indice);
    if (runExplorer(explorer) != QDialog::Accepted) {
        return std::nullopt;
    }
    return CatalogueChoice{explorer.ChosenFamily(), explorer.ChosenIndice(), explorer.ChosenName(),
                           explorer.ModelChosen()};
}

} // namespace ixo
