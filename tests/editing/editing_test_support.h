#pragma once

#include "builder/instalacion.h"
#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "editing/edit_journal.h"
#include "editing/network_editor.h"
#include "editing/network_invariants.h"
#include "levels/comprobacion_tomas.h"
#include "model/componente_base.h"
#include "model/padre_tv.h"
#include "model/parts_catalogue.h"
#include "persistence/project_file.h"
#include "support/project_fixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ixo::test {

inline BuildingShape Shape(int stairs, int floors, int flats, int outlets, int polarities, int layout,
                           int topology = 0) {
    BuildingShape shape;
    shape.stairs = stairs;
    shape.floors = floors;
    shape.flatsPerFloor = flats;
    shape.outlets = outlets;
    shape.polarities = polarities;
    shape.headendDistribution = layout;
    shape.topology = topology;
    return shape;
}

// Every network element of the project: the network's own, then each flat's.
inline std::vector<TComponenteBase*> NetworkElements(const Tproyecto& project) {
    std::vector<TComponenteBase*> elements;
    auto collect = [&elements](const TPrimerComponente& owner) {
        for (TPrimerComponente* child : owner.Components()) {
            if (auto* element = dynamic_cast<TComponenteBase*>(child)) {
                elements.push_back(element);
            }
        }
    };
    collect(project.RedTV());
    for (const auto& flat : project.ListaViviendas()) {
        collect(*flat.Object->Contenedor());
    }
    return elements;
}

template <typename T> std::vector<T*> ElementsOfClass(const Tproyecto& project) {
    std::vector<T*> found;
    for (TComponenteBase* element : NetworkElements(project)) {
        if (auto* t = dynamic_cast<T*>(element)) {
            found.push_back(t);
        }
    }
    return found;
}

inline std::string Problems(const NetworkCheck& check) {
    std::string text;
    for (const std::string& problem : check.problems) {
        text += problem + "\n";
    }
    return text;
}

#define EXPECT_NETWORK_CONSISTENT(project)                                                                   \
    do {                                                                                                     \
        const ::ixo::NetworkCheck check_ = ::ixo::CheckNetwork(project);                                     \
        EXPECT_TRUE(check_.Ok()) << ::ixo::test::Problems(check_);                                           \
    } while (false)

// A built and checked project of the demo catalogue with an editor on it.
class EditingFixture : public ProjectFixture {
protected:
    Tproyecto& BuildNetwork(const BuildingShape& shape, const SettingsRecord& settings = DefaultSettings()) {
        Build(shape, settings);
        EXPECT_GT(ConstruirInstalacion(*project), 0);
        ComprobarErrores(*project);
        editor = std::make_unique<NetworkEditor>(*project);
        editor->MarkSaved();
        return *project;
    }

    std::vector<std::uint8_t> Bytes() { return ProjectFileBytes(*project); }

    void TearDown() override {
        editor.reset(); // the history goes before the project it edits
        project.reset();
    }

    ScopedPartsCatalogue catalogue{&DemoStore()};
    std::unique_ptr<NetworkEditor> editor;
};

} // namespace ixo::test
