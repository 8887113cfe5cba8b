#pragma once

#include "building/named_list.h"
#include "model/primer_componente.h"
#include "settings/level_limits.h"
#include "settings/settings_record.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ixo {

class BinaryReader;
class BinaryWriter;
class TCableTV;
class TalmacenElementos;
class Tlistaobjetonivel;

// What the installation builder and the level run need to know about a project beyond the building
// itself: distances, the catalogue family and model chosen for every role, the headend levels (the
// settings record, copied in whole when the project is made), the building shape entered in the
// new-project wizard, the five cable kinds every connection uses and the outlet level limits.
//
// Binary data "DisViv" (only while the flats table has a row): int32 row count, then per row an int32
// length n and n int32 values. Reading takes the shape read, only when the whole block reads.
//
// The settings block is the settings record itself (a base), so its fields are declared once
// (IXO_SETTINGS_FIELDS) and read as preferences.DistanciaEscaleras, preferences.LV_FI and so on. A new
// object has all of them 0 except HD_FAM_REP_CAB (1002) and HD_ICTERR (true).
class TpreferenciasProyecto : public TPrimerComponente, public SettingsRecord {
    IXO_COMPONENT_CLASS(TpreferenciasProyecto)
public:
    // The positions of the cable kinds in ListaCables.
    enum CableKind : int {
        kCableVivienda = 0,
        kCableCabecera = 1,
        kCableVertical = 2,
        kCablePlanta = 3,
        kCableTroncal = 4,
        kCableKindCount = 5
    };
    using FlatsTable = std::vector<std::vector<std::int32_t>>;

    explicit TpreferenciasProyecto(TPrimerComponente* owner);
    ~TpreferenciasProyecto() override;

    // The building shape, from the new-project wizard.
    std::int32_t NoutletViv = 0;          // outlets per flat
    std::int32_t Npolaridades = 0;        // satellite IF polarities: 4, 8, 12 or 16
    std::int32_t VertHeader = 0;          // 1-based stair carrying the headend floor; 0 none
    std::int32_t TipoDistribucionViv = 0; // flats: 0 star, 1 cascade
    std::int32_t Nviv = 0;                // flats entered in the wizard
    std::int32_t TipoDistribucionCab = 0; // 0 multiswitches at the headend; otherwise a trunk to floor ones
    std::int32_t Nverticales = 0;         // stairs
    std::int32_t Nplantas = 0;            // floors per stair, without the headend floor

    // Copies a whole settings record into the fields above.
    void CopiarRegistro(const SettingsRecord& record);
    // The record fields as a settings record.
    SettingsRecord Registro() const;

    // Flats per floor: row r is stair Nverticales-1-r, column c is floor (floor count)-1-c, so row 0 is
    // the last stair and column 0 its top floor.
    const FlatsTable& DisViv() const { return m_disViv; }
    void AsignarDisViv(const FlatsTable& table) { m_disViv = table; }
    // The flats of the floor f (0-based from the bottom) of stair i (0-based) when the stair has
    // floorCount floors; 0 where the table has no such cell.
    std::int32_t ViviendasEn(int stair, int floor, int floorCount) const;

    // The five cable kinds, owned by the preferences.
    const NamedList<TCableTV>& ListaCables() const { return m_cables; }
    // Cable kind i, or null when the list has no such entry.
    TCableTV* Cable(int i) const;
    // Frees the cable list and creates the five kinds again as copies of the catalogue models (by family
    // and Indice) found in store; a model it lacks (or no store) gives a cable with the class defaults.
    void CrearListaCables(const TalmacenElementos* store);
    // Reading a project file: the cable names of ListaCables as entries without objects (the cables
    // held before are freed), then each cable read (owned by the preferences) made the object of the
    // first entry of its name that has none.
    void SetListaCablesNames(const std::vector<std::string>& names);
    bool AttachStoredCable(TCableTV& cable);
    // Frees the cable kinds; every pin laid with one is told and forgets it.
    void FreeCables();

    // The outlet level limits (owned).
    Tlistaobjetonivel& Niveles() const { return *m_niveles; }
    double Minimo(int i) const;
    double Maximo(int i) const;
    void AsignarNiveles(const TMatestructuranivel& array);
    void LeerNiveles(TMatestructuranivel& array) const;

    void WriteDisViv(BinaryWriter& writer) const;
    void ReadDisViv(BinaryReader& reader);

    TPrimerComponente* Clone(TPrimerComponente* owner) const override;
    void DefineProperties(BinaryPropertyFiler& filer) override;

protected:
    void AfterConstruction() override;
    void Notification(TPrimerComponente* removed) override;

private:
    FlatsTable m_disViv;
    NamedList<TCableTV> m_cables{this};
    Tlistaobjetonivel* m_niveles = nullptr; // owned as a component
};

} // namespace ixo
