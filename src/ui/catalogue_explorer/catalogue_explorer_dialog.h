#pragma once

// The catalogue explorer "Selection": the families of a block on the left, the models of the selected
// family on the right (a splitter between them), the description below, "View obsolete", Ok, Cancel and
// Help. Its rules are CatalogueExplorerModel's; the dialog only shows them.
#include "ui/catalogue_explorer/catalogue_explorer_model.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QSplitter;
class QTreeWidget;

namespace ixo {

class CatalogueExplorerDialog : public QDialog {
public:
    CatalogueExplorerDialog(const TCatalogo& catalogue, QWidget* parent);

    void SetExact(bool exact) { m_model.SetExact(exact); }
    // Fills the lists for the request and shows the dialog modally (QDialog::Accepted after OK).
    int Execute(std::int32_t family, std::int32_t group, std::int32_t indice);
    // Fills the lists for the request without showing the dialog (Execute's first half, for tests).
    void Prepare(std::int32_t family, std::int32_t group, std::int32_t indice);

    const CatalogueExplorerModel& Model() const { return m_model; }
    std::int32_t ChosenFamily() const { return m_model.ChosenFamily(); }
    std::int32_t ChosenIndice() const { return m_model.ChosenIndice(); }
    const std::string& ChosenName() const { return m_model.ChosenName(); }
    bool ModelChosen() const { return m_model.ModelChosen(); }

    QTreeWidget* FamilyList() const { return m_families; }
    QTreeWidget* ModelList() const { return m_models; }
    QLabel* DescriptionPanel() const { return m_description; }
    QCheckBox* ViewObsolete() const { return m_obsolete; }
    QSplitter* Splitter() const { return m_splitter; }

    void accept() override;

private:
    void ShowFamilies();
    void ShowModels();
    void ShowDescription();
    // Gives the family panel its width of 250 again (a double click on a list header).
    void ResetPanelWidths();

    CatalogueExplorerModel m_model;
    QTreeWidget* m_families = nullptr;
    QTreeWidget* m_models = nullptr;
    QLabel* m_description = nullptr;
    QCheckBox* m_obsolete = nullptr;
    QSplitter* m_splitter = nullptr;
    bool m_showing = false; // the lists are being refilled: their selection signals are not the user's
};

} // namespace ixo
