#include "ui/main/app_session.h"

#include "catalogue/almacen_elementos.h"
#include "catalogue/catalogo.h"
#include "catalogue/catalogue_elements.h"
#include "catalogue/catalogue_validation.h"
#include "settings/settings_file.h"

namespace ixo {

AppSession::AppSession(const std::filesystem::path& programDirectory)
    : m_settingsFile(SettingsFilePath(programDirectory)), m_catalogueDirectory(programDirectory / "BD"),
      m_projectDirectory(ReadProjectDirectory(m_settingsFile)) {}

AppSession::~AppSession() = default;

bool AppSession::Load(std::string& message) {
    m_owner = TPrimerComponente::CreateRoot<TPrimerComponente>();
    m_owner->SetName("MainForm");
    OpenedCatalogue opened = OpenCatalogue(m_owner.get(), m_catalogueDirectory);
    if (opened.Tables == nullptr || !opened.Check.Passed) {
        message = CatalogueErrorMessage(m_catalogueDirectory, opened.Check);
        return false;
    }
    // A damaged index reads as nonsense records: refuse it rather than build from it.
    const std::vector<CatalogueProblem> problems = ValidateCatalogue(*opened.Tables);
    if (!problems.empty()) {
        message = "The catalogue in " + m_catalogueDirectory.string() + " is damaged:\n" +
                  ProblemText(problems.front());
        if (problems.size() > 1) {
            message += "\nand " + std::to_string(problems.size() - 1) + " more problems";
        }
        return false;
    }
    InitialiseElementModel();
    m_store = TPrimerComponente::Create<TalmacenElementos>(m_owner.get(), *opened.Tables);
    (void)ReadSettings(m_settingsFile, m_settings);
    (void)ReadLevelLimits(m_limits, m_settingsFile);
    return true;
}

} // namespace ixo
