#pragma once

// Elements with a given number of pins made from a catalogue record, and whole installations built the
// way the New command builds them, for the schematic's tests.
#include "builder/nuevo_proyecto.h"
#include "common/progress.h"
#include "model/componente_base.h"
#include "model/element_record.h"
#include "model/padre_tv.h"
#include "settings/level_limits.h"
#include "settings/settings_record.h"
#include "settings/wizard_results.h"
#include "support/project_fixture.h"

#include <memory>
#include <string>

namespace ixo::test {

inline std::string PinLines(const std::string& count, int n, const std::string& lettersKey,
                            const std::string& connectorKey, const std::string& dcKey) {
    std::string connectors;
    std::string dc;
    for (int i = 0; i < n; ++i) {
        connectors += (i > 0 ? ";" : "") + std::string("1");
        dc += (i > 0 ? ";" : "") + std::string("0;0;4000;0");
    }
    return count + "=" + std::to_string(n) + "\r\n" + lettersKey + "=" +
           std::string(static_cast<std::size_t>(n), 'A') + "\r\n" + connectorKey + "=" + connectors + "\r\n" +
           dcKey + "=" + dc + "\r\n";
}

// An element of class T with the given pin counts and model name, owned by owner.
template <typename T>
T* MakeElement(TPrimerComponente* owner, int inputs, int outputs, int taps,
               const std::string& model = "TEST") {
    TRECConScript record;
    record.Indice = 1;
    record.Familia = 5999;
    record.Modelo = model;
    record.Script = PinLines("NENTRADAS", inputs, "TIPOENTRADA", "TIPOCENT", "ENTRADASPDC") +
                    PinLines("NSALIDAS", outputs, "TIPOSALIDA", "TIPOCSAL", "SALIDASPDC") +
                    PinLines("NDERIVACIONES", taps, "TIPODERIVACION", "TIPOCDER", "DERIVACIONESPDC") +
                    "ECUACIONES\r\nFINECUACIONES\r\n";
    return TComponenteBase::CreateFromRecord<T>(owner, record, nullptr);
}

// A building as the wizard gives it, built and calculated on the demo store.
struct Building {
    int stairs = 1;
    int floors = 2;
    int flatsPerFloor = 2;
    int outlets = 2;
    int polarities = 4;
    int headendDistribution = 1; // TipoDistribucionCab: 1 trunks to floor multiswitches, 0 from the headend
    int flatDistribution = 0;    // 0 star, 1 cascade
};

inline WizardResults WizardOf(const Building& b) {
    WizardResults shape;
    shape.Nverticales = b.stairs;
    shape.Nplantas = b.floors;
    shape.NoutletViv = b.outlets;
    shape.Npolaridades = b.polarities;
    shape.TipoDistribucionCab = b.headendDistribution;
    shape.TipoDistribucionViv = b.flatDistribution;
    shape.VertHeader = 1;
    shape.DisViv.assign(static_cast<std::size_t>(b.stairs),
                        std::vector<std::int32_t>(static_cast<std::size_t>(b.floors), b.flatsPerFloor));
    shape.Nviv = b.stairs * b.floors * b.flatsPerFloor;
    return shape;
}

inline std::unique_ptr<Tproyecto> BuildInstallation(const Building& b) {
    NuevoProyecto created = CrearProyectoDesdeAsistente(DemoStore(), WizardOf(b), DefaultSettings(),
                                                        DefaultLevelLimits(), NoProgress());
    EXPECT_GT(created.Resultado, 0);
    return std::move(created.Proyecto);
}

} // namespace ixo::test
