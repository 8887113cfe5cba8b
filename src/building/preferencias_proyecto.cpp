#include "building/preferencias_proyecto.h"

#include "catalogue/almacen_elementos.h"
#include "common/binary_stream.h"
#include "model/binary_property.h"
#include "model/cable_tv.h"
#include "building/lista_niveles.h"

#include <utility>

namespace ixo {

IXO_DEFINE_COMPONENT_CLASS(TpreferenciasProyecto, TPrimerComponente)

TpreferenciasProyecto::TpreferenciasProyecto(TPrimerComponente* owner) : TPrimerComponente(owner) {}

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
    DistanciaEscaleras = record.DistanciaEscaleras;
    DistanciaPlantas = record.DistanciaPlantas;
    DistanciaTomas = record.DistanciaTomas;
    Viv_FamiliaTomasES = record.Viv_FamiliaTomasES;
    Viv_FamiliaTomascascada = record.Viv_FamiliaTomascascada;
    Viv_FamiliaRepartidores = record.Viv_FamiliaRepartidores;
    Viv_ModeloCable = record.Viv_ModeloCable;
    Viv_FamiliaCable = record.Viv_FamiliaCable;
    DIs_DModeloCable = record.DIs_DModeloCable;
    DIs_DFamiliaCable = record.DIs_DFamiliaCable;
    DIs_FModeloCable = record.DIs_FModeloCable;
    DIs_FFamiliaCable = record.DIs_FFamiliaCable;
    Dis_FAMMSCAS = record.Dis_FAMMSCAS;
    ConInyector = record.ConInyector;
    DIS_MODELOINYECTOR = record.DIS_MODELOINYECTOR;
    DIS_FAMILIAINYECTOR = record.DIS_FAMILIAINYECTOR;
    DIS_MODELOFUENTE = record.DIS_MODELOFUENTE;
    DIS_FAMILIAFUENTE = record.DIS_FAMILIAFUENTE;
    DIS_HDISModeloCable = record.DIS_HDISModeloCable;
    DIS_HDISFamiliaCable = record.DIS_HDISFamiliaCable;
    DIS_Final_CAscada = record.DIS_Final_CAscada;
    HD_HModeloCable = record.HD_HModeloCable;
    HD_HFamiliaCable = record.HD_HFamiliaCable;
    HD_FAMMS4POL = record.HD_FAMMS4POL;
    HD_FAMMS8POL = record.HD_FAMMS8POL;
    HD_ModeloParabola = record.HD_ModeloParabola;
    HD_FamiliaParabola = record.HD_FamiliaParabola;
    HD_ModeloAmpFi = record.HD_ModeloAmpFi;
    HD_FamiliaAmpFi = record.HD_FamiliaAmpFi;
    HD_FAM_REP_CAB = record.HD_FAM_REP_CAB;
    LV_TERR = record.LV_TERR;
    LV_FI = record.LV_FI;
    HD_ICTERR = record.HD_ICTERR;
    Viv_FamiliaAmplificador = record.Viv_FamiliaAmplificador;
    HD_FAMMS16POL = record.HD_FAMMS16POL;
    DIS_FAMILIAMS16POL = record.DIS_FAMILIAMS16POL;
    HD_ModeloAmpFi16 = record.HD_ModeloAmpFi16;
    HD_FamiliaAmpFi16 = record.HD_FamiliaAmpFi16;
    DIS_FAMILIAMS8POL = record.DIS_FAMILIAMS8POL;
    HD_ModeloAmpFI8 = record.HD_ModeloAmpFI8;
    HD_FamiliaAmpFI8 = record.HD_FamiliaAmpFI8;
}

SettingsRecord TpreferenciasProyecto::Registro() const {
    SettingsRecord record;
    record.DistanciaEscaleras = DistanciaEscaleras;
    record.DistanciaPlantas = DistanciaPlantas;
    record.DistanciaTomas = DistanciaTomas;
    record.Viv_FamiliaTomasES = Viv_FamiliaTomasES;
    record.Viv_FamiliaTomascascada = Viv_FamiliaTomascascada;
    record.Viv_FamiliaRepartidores = Viv_FamiliaRepartidores;
    record.Viv_ModeloCable = Viv_ModeloCable;
    record.Viv_FamiliaCable = Viv_FamiliaCable;
    record.DIs_DModeloCable = DIs_DModeloCable;
    record.DIs_DFamiliaCable = DIs_DFamiliaCable;
    record.DIs_FModeloCable = DIs_FModeloCable;
    record.DIs_FFamiliaCable = DIs_FFamiliaCable;
    record.Dis_FAMMSCAS = Dis_FAMMSCAS;
    record.ConInyector = ConInyector;
    record.DIS_MODELOINYECTOR = DIS_MODELOINYECTOR;
    record.DIS_FAMILIAINYECTOR = DIS_FAMILIAINYECTOR;
    record.DIS_MODELOFUENTE = DIS_MODELOFUENTE;
    record.DIS_FAMILIAFUENTE = DIS_FAMILIAFUENTE;
    record.DIS_HDISModeloCable = DIS_HDISModeloCable;
    record.DIS_HDISFamiliaCable = DIS_HDISFamiliaCable;
    record.DIS_Final_CAscada = DIS_Final_CAscada;
    record.HD_HModeloCable = HD_HModeloCable;
    record.HD_HFamiliaCable = HD_HFamiliaCable;
    record.HD_FAMMS4POL = HD_FAMMS4POL;
    record.HD_FAMMS8POL = HD_FAMMS8POL;
    record.HD_ModeloParabola = HD_ModeloParabola;
    record.HD_FamiliaParabola = HD_FamiliaParabola;
    record.HD_ModeloAmpFi = HD_ModeloAmpFi;
    record.HD_FamiliaAmpFi = HD_FamiliaAmpFi;
    record.HD_FAM_REP_CAB = HD_FAM_REP_CAB;
    record.LV_TERR = LV_TERR;
    record.LV_FI = LV_FI;
    record.HD_ICTERR = HD_ICTERR;
    record.Viv_FamiliaAmplificador = Viv_FamiliaAmplificador;
    record.HD_FAMMS16POL = HD_FAMMS16POL;
    record.DIS_FAMILIAMS16POL = DIS_FAMILIAMS16POL;
    record.HD_ModeloAmpFi16 = HD_ModeloAmpFi16;
    record.HD_FamiliaAmpFi16 = HD_FamiliaAmpFi16;
    record.DIS_FAMILIAMS8POL = DIS_FAMILIAMS8POL;
    record.HD_ModeloAmpFI8 = HD_ModeloAmpFI8;
    record.HD_FamiliaAmpFI8 = HD_FamiliaAmpFI8;
    return record;
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
