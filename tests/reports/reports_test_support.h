#pragma once

#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "catalogue/almacen_elementos.h"
#include "catalogue/catalogue_object.h"
#include "model/componente_base.h"
#include "model/padre_tv.h"
#include "model/parts_catalogue.h"
#include "reports/report_progress.h"
#include "support/project_fixture.h"

#include <gtest/gtest.h>

namespace ixo::test {

// A project fixture whose demo store is the model's catalogue for the whole test (so pins get the
// catalogue's connectors and loads), with a helper that copies catalogue models into the network.
class ReportFixture : public ProjectFixture {
protected:
    // A copy of catalogue model (indice, family) of class T, owned by the project's network.
    template <typename T> T* Make(std::int32_t indice, std::int32_t family) {
        auto* prototype = Store().ElementByFamily(indice, family).template As<T>();
        EXPECT_NE(prototype, nullptr) << indice << " of family " << family;
        return prototype != nullptr ? TComponenteBase::CreateCopy(&project->RedTV(), *prototype) : nullptr;
    }

    ScopedPartsCatalogue catalogue{&DemoStore()};
};

// A report progress that asks to stop at its n-th look at the cancel flag (counting from 1).
class CancelAfter : public ReportProgress {
public:
    explicit CancelAfter(int looks) : m_looks(looks) {}
    bool CancelRequested() const override { return ++m_seen >= m_looks; }
    int Seen() const { return m_seen; }

private:
    int m_looks;
    mutable int m_seen = 0;
};

} // namespace ixo::test
