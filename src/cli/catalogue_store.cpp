#include "cli/catalogue_store.h"

#include "catalogue/almacen_elementos.h"
#include "catalogue/catalogo.h"
#include "catalogue/catalogue_elements.h"
#include "catalogue/catalogue_validation.h"
#include "cli/cli_arguments.h"

namespace ixo::cli {

CatalogueStore::CatalogueStore(const std::filesystem::path& directory)
    : m_owner(TPrimerComponente::CreateRoot<TPrimerComponente>()) {
    m_owner->SetName("MainForm");
    OpenedCatalogue opened = OpenCatalogue(m_owner.get(), directory);
    if (opened.Tables == nullptr || !opened.Check.Passed) {
        throw UsageError(CatalogueErrorMessage(directory, opened.Check));
    }
    // A damaged index file reads as records of nonsense or none: refuse it rather than build from it.
    const std::vector<CatalogueProblem> problems = ValidateCatalogue(*opened.Tables);
    if (!problems.empty()) {
        std::string message = "the catalogue in " + directory.string() + " is damaged:";
        constexpr std::size_t kShown = 5;
        for (std::size_t i = 0; i < problems.size() && i < kShown; ++i) {
            message += "\n  " + ProblemText(problems[i]);
        }
        if (problems.size() > kShown) {
            message += "\n  and " + std::to_string(problems.size() - kShown) +
                       " more ('ixo-cli catalogue check' lists them)";
        }
        throw UsageError(message);
    }
    InitialiseElementModel();
    m_store = TPrimerComponente::Create<TalmacenElementos>(m_owner.get(), *opened.Tables);
}

CatalogueStore::~CatalogueStore() = default;

} // namespace ixo::cli
