#include "cli/catalogue_store.h"

#include "catalogue/almacen_elementos.h"
#include "catalogue/catalogo.h"
#include "catalogue/catalogue_elements.h"
#include "cli/cli_arguments.h"

namespace ixo::cli {

CatalogueStore::CatalogueStore(const std::filesystem::path& directory)
    : m_owner(TPrimerComponente::CreateRoot<TPrimerComponente>()) {
    m_owner->SetName("MainForm");
    OpenedCatalogue opened = OpenCatalogue(m_owner.get(), directory);
    if (opened.Tables == nullptr || !opened.Check.Passed) {
        throw UsageError(CatalogueErrorMessage(directory, opened.Check.ErrorCode));
    }
    InitialiseElementModel();
    m_store = TPrimerComponente::Create<TalmacenElementos>(m_owner.get(), *opened.Tables);
}

CatalogueStore::~CatalogueStore() = default;

} // namespace ixo::cli
