#pragma once

// What the building benches share: the demo catalogue's store beside the programs and regular building
// shapes as the new-project wizard gives them.
#include "catalogue/almacen_elementos.h"
#include "catalogue/catalogo.h"
#include "catalogue/catalogue_elements.h"
#include "settings/wizard_results.h"

#include <filesystem>
#include <memory>

namespace ixo::bench {

// The demo catalogue's store, opened once; null when the catalogue has not been built.
inline TalmacenElementos* DemoStore() {
    struct Store {
        Store() {
            InitialiseElementModel();
            root->SetName("MainForm");
            OpenedCatalogue opened = OpenCatalogue(root.get(), std::filesystem::path(IXO_BIN_DIR) / "BD");
            if (opened.Check.Passed) {
                store = TPrimerComponente::Create<TalmacenElementos>(root.get(), *opened.Tables);
            }
        }
        std::unique_ptr<TPrimerComponente> root = TPrimerComponente::CreateRoot<TPrimerComponente>();
        TalmacenElementos* store = nullptr;
    };
    static Store store;
    return store.store;
}

// A trunk-layout building (headend on stair 1) with the same number of flats on every floor, star flats.
inline WizardResults RegularBuilding(int stairs, int floors, int flatsPerFloor, int outlets, int polarities) {
    WizardResults shape;
    shape.Nverticales = stairs;
    shape.Nplantas = floors;
    shape.NoutletViv = outlets;
    shape.Npolaridades = polarities;
    shape.TipoDistribucionCab = 1;
    shape.TipoDistribucionViv = 0;
    shape.VertHeader = 1;
    shape.DisViv.assign(stairs, std::vector<std::int32_t>(floors, flatsPerFloor));
    shape.Nviv = stairs * floors * flatsPerFloor;
    return shape;
}

} // namespace ixo::bench
