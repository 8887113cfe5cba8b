#include "building/preferencias_proyecto.h"

#include "building/lista_niveles.h"
#include "catalogue/almacen_elementos.h"
#include "common/binary_stream.h"
#include "model/binary_property.h"
#include "model/cable_tv.h"

#include <utility>

namespace ixo {

IXO_DEFINE_COMPONENT_CLASS(TpreferenciasProyecto, TPrimerComponente)

TpreferenciasProyecto::TpreferenciasProyecto(TPrimerComponente* owner) : TPrimerComponente(owner) {
    // A new object's settings block is all zero but for these two.
    HD_FAM_REP_CAB = 1002;
    HD_ICTERR = true;
}

TpreferenciasProyecto::~TpreferenciasProyecto() {
    m_disViv.clear();
    FreeCables();
    if (m_niveles != nullptr) {
        Tlistaobjetonivel* niveles = std::exchange(m_niveles, nullptr);
        Destroy(niveles);
    }
}

void TpreferenciasProyecto::AfterConstruction() {
    TPrimerComponente::AfterConstruction();
    m_niveles = Create<Tlistaobjetonivel>(this);
    m_niveles->SetName("Niveles");
}

void TpreferenciasProyecto::Notification(TPrimerComponente* removed) {
    TPrimerComponente::Notification(removed);
    m_cables.RemoveObject(removed);
    if (removed == m_niveles) {
        m_niveles = nullptr;
    }
}

void TpreferenciasProyecto::CopiarRegistro(const SettingsRecord& record) {
    static_cast<SettingsRecord&>(*this) = record;
}

SettingsRecord TpreferenciasProyecto::Registro() const {
    return static_cast<const SettingsRecord&>(*this);
}

std::int32_t TpreferenciasProyecto::ViviendasEn(int stair, int floor, int floorCount) const {
    int row = Nverticales - 1 - stair;
    int column = floorCount - 1 - floor;
    if (row < 0 || static_cast<std::size_t>(row) >= m_disViv.size()) {
        return 0;
    }
    const auto& cells = m_disViv[static_cast<std::size_t>(row)];
    if (column < 0 || static_cast<std::size_t>(column) >= cells.size()) {
        return 0;
    }
    return cells[static_cast<std::size_t>(column)];
}

TCableTV* TpreferenciasProyecto::Cable(int i) const {
    if (i < 0 || static_cast<std::size_t>(i) >= m_cables.Count()) {
        return nullptr;
    }
    return m_cables.Object(static_cast<std::size_t>(i));
}

void TpreferenciasProyecto::SetListaCablesNames(const std::vector<std::string>& names) {
    FreeCables();
    for (const std::string& name : names) {
        m_cables.Add(name, nullptr);
    }
}

bool TpreferenciasProyecto::AttachStoredCable(TCableTV& cable) {
    if (cable.Owner() != this || m_cables.IndexOfObject(&cable) >= 0) {
        return false;
    }
    for (std::size_t i = 0; i < m_cables.Count(); ++i) {
        if (m_cables.Object(i) == nullptr && EqualsIgnoringAsciiCase(m_cables.Name(i), cable.Name())) {
            m_cables.SetObject(i, &cable);
            return true;
        }
    }
    return false;
}

void TpreferenciasProyecto::FreeCables() {
    for (const auto& entry : m_cables.TakeAll()) {
        Destroy(entry.Object);
    }
}

void TpreferenciasProyecto::CrearListaCables(const TalmacenElementos* store) {
    FreeCables();
    const std::pair<std::int32_t, std::int32_t> models[kCableKindCount] = {
        {Viv_FamiliaCable, Viv_ModeloCable},         {HD_HFamiliaCable, HD_HModeloCable},
        {DIs_DFamiliaCable, DIs_DModeloCable},       {DIs_FFamiliaCable, DIs_FModeloCable},
        {DIS_HDISFamiliaCable, DIS_HDISModeloCable},
    };
    for (const auto& [family, model] : models) {
        const TCableTV* prototype =
            store != nullptr ? store->ElementByFamily(model, family).As<TCableTV>() : nullptr;
        TCableTV* cable =
            prototype != nullptr ? TCableTV::CreateCopy(this, *prototype) : Create<TCableTV>(this);
        m_cables.Add(cable);
    }
}

double TpreferenciasProyecto::Minimo(int i) const {
    return m_niveles != nullptr ? m_niveles->Minimo(i) : -1.0;
}

double TpreferenciasProyecto::Maximo(int i) const {
    return m_niveles != nullptr ? m_niveles->Maximo(i) : -1.0;
}

void TpreferenciasProyecto::AsignarNiveles(const TMatestructuranivel& array) {
    m_niveles->AsignarNiveles(array);
}

void TpreferenciasProyecto::LeerNiveles(TMatestructuranivel& array) const {
    m_niveles->LeerNiveles(array);
}

void TpreferenciasProyecto::WriteDisViv(BinaryWriter& writer) const {
    writer.WriteInt32(static_cast<std::int32_t>(m_disViv.size()));
    for (const auto& row : m_disViv) {
        writer.WriteInt32(static_cast<std::int32_t>(row.size()));
        for (std::int32_t value : row) {
            writer.WriteInt32(value);
        }
    }
}

void TpreferenciasProyecto::ReadDisViv(BinaryReader& reader) {
    FlatsTable table(reader.ReadCount(4, "DisViv"));
    for (auto& row : table) {
        row.resize(reader.ReadCount(4, "DisViv row"));
        for (std::int32_t& value : row) {
            value = reader.ReadInt32();
        }
    }
    m_disViv = std::move(table);
}

TPrimerComponente* TpreferenciasProyecto::Clone(TPrimerComponente* owner) const {
    auto* copy = Create<TpreferenciasProyecto>(owner);
    copy->CopiarRegistro(Registro());
    copy->NoutletViv = NoutletViv;
    copy->Npolaridades = Npolaridades;
    copy->VertHeader = VertHeader;
    copy->TipoDistribucionViv = TipoDistribucionViv;
    copy->Nviv = Nviv;
    copy->TipoDistribucionCab = TipoDistribucionCab;
    copy->Nverticales = Nverticales;
    copy->Nplantas = Nplantas;
    copy->m_disViv = m_disViv;
    TMatestructuranivel limits;
    LeerNiveles(limits);
    copy->AsignarNiveles(limits);
    return copy;
}

void TpreferenciasProyecto::DefineProperties(BinaryPropertyFiler& filer) {
    TPrimerComponente::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "DisViv", [this](BinaryReader& reader) { ReadDisViv(reader); },
        [this](BinaryWriter& writer) { WriteDisViv(writer); }, !m_disViv.empty());
}

} // namespace ixo
