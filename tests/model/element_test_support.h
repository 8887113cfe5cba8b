#pragma once

#include "catalogue/records.h"
#include "catalogue/tabla_compo_script.h"
#include "model/componente_base.h"
#include "model/padre_tv.h"
#include "model_test_support.h"

#include <initializer_list>
#include <memory>
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

} // namespace ixo::test
