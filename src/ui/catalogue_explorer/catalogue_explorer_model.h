#pragma once

// The rules of the catalogue explorer ("Selection"): the families of one family block (optionally of one
// group), the models of the selected family from its element table, what a click, a double click and
// "View obsolete" do, and what OK hands back. The dialog only shows these lists and passes the user's
// clicks on; the component tools and the configuration dialog read the choice after OK.
#include "catalogue/sel_elemento.h"
#include "catalogue/sel_familia.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ixo {

class TCatalogo;

class CatalogueExplorerModel {
public:
    static constexpr const char* kCaption = "Selection";
    static constexpr int kFamilyPanelWidth = 250;
    static constexpr int kFamilyPanelMinimum = 45;

    explicit CatalogueExplorerModel(const TCatalogo& catalogue) : m_catalogue(catalogue) {}

    // Exact mode for the next Start: a special family then lists only itself (off when created).
    void SetExact(bool exact) { m_exact = exact; }
    bool Exact() const { return m_exact; }

    // What Execute does before showing the dialog: remembers the requested family, group and model
    // (indice 0 or -1: the caller chooses a family only) and fills the lists.
    void Start(std::int32_t family, std::int32_t group, std::int32_t indice);

    const std::vector<TSelFamilia>& Families() const { return m_families; }
    const std::vector<TselElemento>& Models() const { return m_models; }
    // The selected rows, -1 for none.
    int SelectedFamily() const { return m_family; }
    int SelectedModel() const { return m_model; }
    // The description panel: the selected model's Descripcion, empty without one.
    const std::string& Description() const { return m_description; }
    // Whether the caller asked for a model (the model list is filled and followed).
    bool ChoosesModel() const { return m_requestedIndice > 0; }

    bool ViewObsolete() const { return m_viewObsolete; }
    // "View obsolete" changed: the family list again, with the stored group.
    void SetViewObsolete(bool view);

    // A click on a family row (-1: none): selects it; the model list follows only when a model is asked.
    void ClickFamily(int row);
    // A click on a model row: selects it and shows its description.
    void ClickModel(int row);
    // Double clicks; true when they close the dialog with OK (a family chosen whose model list is empty;
    // a family and a model chosen).
    [[nodiscard]] bool DoubleClickFamily(int row);
    [[nodiscard]] bool DoubleClickModel(int row);

    // Closing with OK: the selected family and model become the choice; without a selected model the
    // chosen name is the family's and the Indice stays as requested; without a selected family the
    // requested values stay.
    void Accept();
    std::int32_t ChosenFamily() const { return m_chosenFamily; }
    std::int32_t ChosenIndice() const { return m_chosenIndice; }
    const std::string& ChosenName() const { return m_chosenName; }
    // Whether OK chose a model of the chosen family (not only a family, keeping the requested Indice).
    bool ModelChosen() const { return m_modelChosen; }

private:
    void FillFamilies();
    void FillModels();

    const TCatalogo& m_catalogue;
    bool m_exact = false;
    bool m_viewObsolete = false;
    std::int32_t m_requestedIndice = 0;
    std::int32_t m_group = 0;
    std::int32_t m_chosenFamily = 0; // the requested family until OK
    std::int32_t m_chosenIndice = 0; // the requested Indice until OK
    std::string m_chosenName;
    bool m_modelChosen = false;
    std::vector<TSelFamilia> m_families;
    std::vector<TselElemento> m_models;
    int m_family = -1;
    int m_model = -1;
    std::string m_description;
};

} // namespace ixo
