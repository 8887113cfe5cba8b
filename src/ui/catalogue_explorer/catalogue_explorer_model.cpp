#include "ui/catalogue_explorer/catalogue_explorer_model.h"

#include "catalogue/catalogue_lookups.h"

namespace ixo {

namespace {

int RowIn(int row, std::size_t size) {
    return row >= 0 && static_cast<std::size_t>(row) < size ? row : -1;
}

} // namespace

void CatalogueExplorerModel::Start(std::int32_t family, std::int32_t group, std::int32_t indice) {
    m_chosenFamily = family;
    m_chosenIndice = indice;
    m_requestedIndice = indice;
    m_group = group;
    m_chosenName.clear();
    m_modelChosen = false;
    FillFamilies();
}

void CatalogueExplorerModel::FillFamilies() {
    m_models.clear();
    m_model = -1;
    m_description.clear();
    // The requested family is the one to find again, also after "View obsolete" changed.
    m_families = FamiliesOfBlock(m_catalogue, m_chosenFamily, m_group, m_exact, m_viewObsolete);
    m_family = -1;
    for (std::size_t i = 0; i < m_families.size(); ++i) {
        if (m_families[i].Familia == m_chosenFamily) {
            m_family = static_cast<int>(i);
            break;
        }
    }
    if (m_family >= 0 && ChoosesModel()) {
        FillModels();
    }
}

void CatalogueExplorerModel::FillModels() {
    m_models.clear();
    m_model = -1;
    m_description.clear();
    if (m_family < 0) {
        return;
    }
    m_models =
        ModelsOfFamily(m_catalogue, m_families[static_cast<std::size_t>(m_family)].Familia, m_viewObsolete);
    for (std::size_t i = 0; i < m_models.size(); ++i) {
        if (m_models[i].Indice == m_requestedIndice) {
            m_model = static_cast<int>(i);
            m_description = m_models[i].Descripcion;
            break;
        }
    }
}

void CatalogueExplorerModel::SetViewObsolete(bool view) {
    if (view == m_viewObsolete) {
        return;
    }
    m_viewObsolete = view;
    FillFamilies();
}

void CatalogueExplorerModel::ClickFamily(int row) {
    m_family = RowIn(row, m_families.size());
    if (ChoosesModel()) {
        FillModels();
    }
}

void CatalogueExplorerModel::ClickModel(int row) {
    m_model = RowIn(row, m_models.size());
    m_description = m_model >= 0 ? m_models[static_cast<std::size_t>(m_model)].Descripcion : std::string();
}

bool CatalogueExplorerModel::DoubleClickFamily(int row) {
    ClickFamily(row);
    return m_family >= 0 && m_models.empty();
}

bool CatalogueExplorerModel::DoubleClickModel(int row) {
    ClickModel(row);
    return m_family >= 0 && m_model >= 0;
}

void CatalogueExplorerModel::Accept() {
    m_modelChosen = false;
    if (m_family < 0) {
        return;
    }
    const TSelFamilia& family = m_families[static_cast<std::size_t>(m_family)];
    m_chosenFamily = family.Familia;
    if (m_model >= 0) {
        const TselElemento& model = m_models[static_cast<std::size_t>(m_model)];
        m_chosenIndice = model.Indice;
        m_chosenName = model.Modelo;
        m_modelChosen = true;
    } else {
        m_chosenName = family.NombreFamilia;
    }
}

} // namespace ixo
