#pragma once

#include "catalogue/almacen_elementos.h"
#include "catalogue/catalogo.h"
#include "catalogue/catalogue_elements.h"
#include "catalogue/element_factory.h"
#include "catalogue/tabla_compo_script.h"
#include "model/componente_base.h"
#include "model/element_record.h"
#include "model/model_test_support.h"
#include "model/padre_tv.h"
#include "support/temp_dir.h"

#include <initializer_list>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ixo::test {

// A catalogue record with the given script lines.
inline TRECConScript MakeRecord(std::int32_t indice, std::int32_t familia, std::string modelo,
                                std::initializer_list<std::string_view> lines, std::string descripcion = "") {
    TRECConScript record;
    record.Indice = indice;
    record.Familia = familia;
    record.Modelo = std::move(modelo);
    record.Descripcion = std::move(descripcion);
    for (std::string_view line : lines) {
        record.Script.append(line);
        record.Script.append("\r\n");
    }
    return record;
}

// A fake catalogue installed for the test, a table handle for its records and a network container
// named "RedTV" for the elements.
class ElementFixture : public ::testing::Test {
protected:
    ElementFixture() {
        network->SetName("RedTV");
        catalogue.recordTable = table.get();
    }

    template <typename T> T* FromRecord(const TRECConScript& record) {
        return TComponenteBase::CreateFromRecord<T>(network.get(), record, table.get());
    }

    FakePartsCatalogue catalogue;
    ScopedPartsCatalogue installed{&catalogue};
    std::unique_ptr<TTablaCompoScript> table = TPrimerComponente::CreateRoot<TTablaCompoScript>();
    std::unique_ptr<TPadreTV> network = TPrimerComponente::CreateRoot<TPadreTV>();
};

// The element store built from the demo catalogue beside the programs, with the system's creators, and
// a network container "RedTV" for copies of its prototypes.
class DemoStoreFixture : public ::testing::Test {
protected:
    DemoStoreFixture() {
        RegisterCatalogueElements(factory);
        root->SetName("MainForm");
        network->SetName("RedTV");
        OpenedCatalogue opened = OpenCatalogue(root.get(), DemoCatalogueDirectory());
        EXPECT_TRUE(opened.Check.Passed) << "error code " << opened.Check.ErrorCode;
        store = TPrimerComponente::Create<TalmacenElementos>(root.get(), *opened.Tables, factory);
    }

    template <typename T> const T& Prototype(int kind, std::int32_t indice) {
        const T* prototype = store->ElementByKind(kind, indice).As<T>();
        if (prototype == nullptr) {
            throw std::runtime_error("no prototype " + std::to_string(indice) + " of kind " +
                                     std::to_string(kind));
        }
        return *prototype;
    }

    // The records of that kind (all kinds for -1) that the store skipped, with the reasons, one a line.
    std::string SkippedReasons(int kind = -1) const {
        std::ostringstream reasons;
        for (const auto& skipped : store->SkippedRecords()) {
            if (kind == -1 || skipped.Kind == kind) {
                reasons << "kind " << skipped.Kind << " record " << skipped.Indice << " ("
                        << skipped.ClassName << "): " << skipped.Reason << "\n";
            }
        }
        return reasons.str();
    }

    ElementFactory factory;
    std::unique_ptr<TPadreTV> root = TPrimerComponente::CreateRoot<TPadreTV>();
    std::unique_ptr<TPadreTV> network = TPrimerComponente::CreateRoot<TPadreTV>();
    TalmacenElementos* store = nullptr;
};

} // namespace ixo::test
