#include "support/project_fixture.h"

#include "building/building_classes.h"
#include "building/preferencias_proyecto.h"
#include "building/wizard_preferences.h"
#include "catalogue/catalogo.h"
#include "catalogue/catalogue_elements.h"
#include "catalogue/element_factory.h"
#include "model/class_registry.h"
#include "model/padre_tv.h"
#include "model/parts_catalogue.h"
#include "support/temp_dir.h"

#include <stdexcept>

namespace ixo::test {

namespace {

// Everything the store needs, alive until the program ends.
struct DemoCatalogue {
    DemoCatalogue() {
        RegisterModelClasses();
        RegisterBuildingClasses();
        RegisterCatalogueElements(factory);
        root->SetName("MainForm");
        OpenedCatalogue opened = OpenCatalogue(root.get(), DemoCatalogueDirectory());
        if (!opened.Check.Passed) {
            throw std::runtime_error("the demo catalogue did not open: error " +
                                     std::to_string(opened.Check.ErrorCode));
        }
        store = TPrimerComponente::Create<TalmacenElementos>(root.get(), *opened.Tables, factory);
    }

    ElementFactory factory;
    std::unique_ptr<TPadreTV> root = TPrimerComponente::CreateRoot<TPadreTV>();
    TalmacenElementos* store = nullptr;
};

} // namespace

TalmacenElementos& DemoStore() {
    static DemoCatalogue catalogue;
    return *catalogue.store;
}

std::vector<std::vector<std::int32_t>> FlatsTableOf(const BuildingShape& shape) {
    if (!shape.flats.empty()) {
        return shape.flats;
    }
    return std::vector<std::vector<std::int32_t>>(
        static_cast<std::size_t>(shape.stairs),
        std::vector<std::int32_t>(static_cast<std::size_t>(shape.floors), shape.flatsPerFloor));
}

std::unique_ptr<Tproyecto> MakeProject(const BuildingShape& shape, const SettingsRecord& settings,
                                       const TMatestructuranivel& limits) {
    TalmacenElementos& store = DemoStore();
    // Other fixtures open stores of their own, and a store that goes uninstalls itself as the model's
    // catalogue: the flats' entries and the builder's default models are read through it.
    SetPartsCatalogue(&store);
    auto project = TPrimerComponente::CreateRoot<Tproyecto>();
    project->SetName("Proyecto");
    project->SetAlmacen(&store);
    WizardResults wizard;
    wizard.Nverticales = shape.stairs;
    wizard.Nplantas = shape.floors;
    wizard.NoutletViv = shape.outlets;
    wizard.TipoDistribucionViv = shape.topology;
    wizard.Npolaridades = shape.polarities;
    wizard.VertHeader = shape.headendStair;
    wizard.TipoDistribucionCab = shape.headendDistribution;
    wizard.DisViv = FlatsTableOf(shape);
    wizard.Nviv = static_cast<int>(MatrixTotal(wizard.DisViv));
    ApplyWizardToPreferences(*project, wizard, settings, limits);
    project->IniciarProyecto();
    return project;
}

} // namespace ixo::test
