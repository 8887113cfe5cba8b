#include "levels/calculo_niveles.h"
#include "levels/comprobacion_tomas.h"
#include "levels/lista_errores.h"
#include "levels/niveles_tomas.h"
#include "levels/polaridad_vivienda.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "catalogue/almacen_elementos.h"
#include "model/cabecera_terrestre.h"
#include "model/cable_tv.h"
#include "model/especial.h"
#include "model/padre_tv.h"
#include "model/pin.h"
#include "model/toma_tv.h"
#include "support/project_fixture.h"

#include <gtest/gtest.h>

namespace ixo {
namespace {

using test::BuildingShape;

// One stair of one floor with one flat of `outlets` star outlets.
BuildingShape OneFlat(int outlets) {
    BuildingShape shape;
    shape.outlets = outlets;
    return shape;
}

// A project of one flat with one end outlet (TF-2) fed straight from a terrestrial headend (CT-120)
// through 10 m of the floor cable (CX-68).
class LevelRun : public test::ProjectFixture {
protected:
    void SetUp() override {
        Build(OneFlat(1));
        headendFloor = project->PlantaCabecera();
        ASSERT_NE(headendFloor, nullptr);
        auto* prototype = Store().ElementByFamily(30, 4923).As<TCabeceraTerrestre>();
        ASSERT_NE(prototype, nullptr);
        headend = TComponenteBase::CreateCopy(&project->RedTV(), *prototype);
        headendFloor->AgregarElemento(headend);
        flat = project->ListaViviendas().Object(0);
        ASSERT_TRUE(headend->ConnectPin(kFirstFreePin, PinKind::Output, 10.0,
                                        project->Preferencias().Cable(3), kFirstFreePin, PinKind::Input,
                                        *flat->Entrada()));
        outlet = dynamic_cast<TTomaTV*>(flat->ETV().Object(0));
        ASSERT_NE(outlet, nullptr);
        project->finalizadocalculoTV = true;
    }

    const LevelVector& OutletLevel() const { return outlet->PinesDERIVACION().front()->Levels(); }

    tplanta* headendFloor = nullptr;
    TCabeceraTerrestre* headend = nullptr;
    Tvivienda* flat = nullptr;
    TTomaTV* outlet = nullptr;
};

TEST_F(LevelRun, SeedsTheHeadendAndPushesToTheOutlet) {
    project->Preferencias().LV_TERR = 100.0;
    CalcularNiveles(*project, *headendFloor, true);
    EXPECT_EQ(headend->NivelTerr(), (LevelVector{{100, 100, 100, 100, 0, 0, 0, 0}}));
    // 175 MHz: 100 - 0.77 (10 m of CX-68) - 0.3 (PAU-1) - 1.5 (TF-2 tap).
    EXPECT_NEAR(OutletLevel()[1], 97.43, 1e-9);
    // 862 MHz: 100 - 1.8 - 0.5 - 2.0.
    EXPECT_NEAR(OutletLevel()[3], 95.7, 1e-9);
    // No satellite signal: 0 - 1.9 - 0.6 - 2.2 at 950 MHz.
    EXPECT_NEAR(OutletLevel()[4], -4.7, 1e-9);
    // Terrestrial above 80 and satellite below 50: one record for the outlet.
    const TCompruebaErrores& errors = project->Escaleras().Object(0)->ErroresEscalera();
    ASSERT_EQ(errors.Count(), 1u);
    EXPECT_EQ(errors[0].Toma, outlet);
    EXPECT_EQ(errors[0].Vivienda, flat);
    EXPECT_EQ(errors[0].Estado, 3);
    EXPECT_NEAR(errors[0].MaximoTerrestre, 97.43, 1e-9);
    EXPECT_TRUE(project->ConErrores);
}

TEST_F(LevelRun, ErrorRowsAndOutletTable) {
    CalcularNiveles(*project, *headendFloor, true);
    const auto records = RegistrosDeErrores(*project);
    ASSERT_EQ(records.size(), 1u);
    const FilaError row = FilaDeError(*records[0]);
    EXPECT_EQ(row.Toma, "T" + std::to_string(outlet->Numero_Interno()));
    EXPECT_EQ(row.Vivienda, "FL" + std::to_string(flat->Numero_Interno()));
    EXPECT_EQ(row.Planta, "FLOOR1");
    EXPECT_EQ(row.Escalera, "STAIR" + std::to_string(project->Escaleras().Object(0)->Numero_Interno()));
    EXPECT_EQ(row.Error, ">MAX(TER:97.4) <MIN(SAT:-7.2)");

    const auto table = NivelesDeTomas(*project);
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0].Toma, outlet);
    EXPECT_EQ(table[0].Vivienda, flat);
    EXPECT_EQ(table[0].Planta, flat->Planta());
    EXPECT_NEAR(table[0].Recibido[1], 97.43, 1e-9);
    // A flat fed straight from the headend receives the same levels whatever polarity it selects.
    EXPECT_EQ(table[0].Peor, table[0].Recibido);
}

TEST_F(LevelRun, TheFlatEntryChoosesThePolarityOfItsOutletsOnly) {
    TPin* entry = EntradaDeVivienda(*flat);
    ASSERT_NE(entry, nullptr);
    for (TPin* pin : outlet->PinesDERIVACION()) {
        EXPECT_EQ(PinDePolaridad(*pin), entry);
    }
    EXPECT_EQ(PinDePolaridad(*outlet->PinesENTRADA().front()), entry);
    EXPECT_EQ(PinDePolaridad(*headend->PinesSALIDA().front()), nullptr) << "not an outlet";
    EXPECT_EQ(PinDePolaridad(*entry), nullptr) << "the entry is not an outlet";
}

TEST_F(LevelRun, WithoutSeedTheEditedSourceLevelStays) {
    headend->SetNivelTerr(LevelVector{{70, 70, 70, 70, 0, 0, 0, 0}});
    Recalcular(*project);
    EXPECT_NEAR(OutletLevel()[1], 70 - 0.77 - 0.3 - 1.5, 1e-9);
    // The terrestrial bands are now within 60-80; only the satellite bands fail (below 50).
    const TCompruebaErrores& errors = project->Escaleras().Object(0)->ErroresEscalera();
    ASSERT_EQ(errors.Count(), 1u);
    EXPECT_EQ(errors[0].Estado, 2);
    EXPECT_EQ(errors[0].FlagsTerrestre, 0u);
    EXPECT_EQ(errors[0].FlagsSatelite, 2u);
    EXPECT_NEAR(errors[0].MinimoSatelite, 0 - 3.0 - 1.0 - 3.2, 1e-9); // 2150 MHz is the lowest
}

TEST_F(LevelRun, NoCheckUntilTheInstallationIsCalculated) {
    project->finalizadocalculoTV = false;
    CalcularNiveles(*project, *headendFloor, true);
    EXPECT_TRUE(project->Escaleras().Object(0)->ErroresEscalera().Empty());
    EXPECT_FALSE(project->ConErrores);
    EXPECT_NEAR(OutletLevel()[1], 97.43, 1e-9); // the levels are calculated all the same
}

TEST_F(LevelRun, ConnectorsFollowTheirCable) {
    TPin* out = headend->PinesSALIDA().front();
    ASSERT_NE(out->FittedConnector(), nullptr);
    EXPECT_EQ(out->FittedConnector()->Indice, 1);
    out->Cable()->Tipoconector = 3;
    RenovarConectores(*project);
    EXPECT_EQ(out->FittedConnector()->Indice, 3);
    EXPECT_EQ(out->Peer()->FittedConnector()->Indice, 3); // the entry's end, inside the flat
}

// ComprobarToma on an outlet whose tap level is set by hand.
class OutletCheck : public test::ProjectFixture {
protected:
    void SetUp() override {
        Build(OneFlat(1));
        outlet = dynamic_cast<TTomaTV*>(project->ListaViviendas().Object(0)->ETV().Object(0));
        ASSERT_NE(outlet, nullptr);
    }
    void SetTap(std::size_t band, double value) {
        LevelVector level{{70, 70, 70, 70, 60, 60, 60, 60}};
        level[band] = value;
        outlet->PinesDERIVACION().front()->SetLevels(level);
    }
    TTomaTV* outlet = nullptr;
};

TEST_F(OutletCheck, WorstLevelsAccumulateOverPolarities) {
    TNodoInfo record;
    SetTap(5, 49.9);
    EXPECT_EQ(ComprobarToma(*outlet, true, record), 2);
    SetTap(7, 71.0);
    EXPECT_EQ(ComprobarToma(*outlet, true, record), 1); // the flags of this call only
    SetTap(5, 49.95);
    ComprobarToma(*outlet, true, record);
    record.Estado = 3;
    EXPECT_EQ(record.FlagsSatelite, 3u);
    EXPECT_DOUBLE_EQ(record.MinimoSatelite, 49.9);
    EXPECT_DOUBLE_EQ(record.MaximoSatelite, 71.0);
    EXPECT_EQ(TextoError(record), ">MAX(SAT:71.0) <MIN(SAT:49.9)");
}

// The report says which limit an outlet breaks, where it is worst and by how much: band 5 (1350 MHz)
// below the satellite minimum of 50, band 7 (2150 MHz) above the maximum of 70, and band 2 (470 MHz)
// below the terrestrial minimum of 60, each at its worst over two polarities.
TEST_F(OutletCheck, BreachesNameTheBandTheLevelAndTheLimit) {
    TNodoInfo record;
    record.Toma = outlet;
    SetTap(5, 49.9);
    ComprobarToma(*outlet, true, record);
    SetTap(5, 47.5);
    ComprobarToma(*outlet, true, record);
    SetTap(7, 71.0);
    ComprobarToma(*outlet, true, record);
    SetTap(2, 58.0);
    ComprobarToma(*outlet, true, record);
    const std::vector<LimitBreach> breaches = BreachesOf(record);
    ASSERT_EQ(breaches.size(), 3u);
    EXPECT_FALSE(breaches[0].aboveMaximum);
    EXPECT_FALSE(breaches[0].satellite);
    EXPECT_EQ(breaches[0].band, 2);
    EXPECT_EQ(breaches[0].frequencyMHz, 470.0);
    EXPECT_EQ(breaches[0].level, 58.0);
    EXPECT_EQ(breaches[0].limit, 60.0);
    EXPECT_TRUE(breaches[1].aboveMaximum);
    EXPECT_TRUE(breaches[1].satellite);
    EXPECT_EQ(breaches[1].band, 7);
    EXPECT_EQ(breaches[1].level, 71.0);
    EXPECT_EQ(breaches[1].limit, 70.0);
    EXPECT_FALSE(breaches[2].aboveMaximum);
    EXPECT_EQ(breaches[2].band, 5);
    EXPECT_EQ(breaches[2].frequencyMHz, 1350.0);
    EXPECT_EQ(breaches[2].level, 47.5);
    EXPECT_EQ(breaches[2].limit, 50.0);
}

TEST_F(OutletCheck, LimitsAreInclusiveAndTerrestrialCanBeIgnored) {
    TNodoInfo record;
    SetTap(1, 60.0);
    EXPECT_EQ(ComprobarToma(*outlet, true, record), 0);
    SetTap(2, 20.0);
    EXPECT_EQ(ComprobarToma(*outlet, false, record), 0);
    EXPECT_EQ(ComprobarToma(*outlet, true, record), 2);
    EXPECT_EQ(record.FlagsTerrestre, 2u);
}

TEST_F(OutletCheck, EmptyLimitsReportEveryBandAboveMinusOne) {
    project->Preferencias().AsignarNiveles({});
    TNodoInfo record;
    SetTap(1, -1.0); // equal to the missing limit: within it
    EXPECT_EQ(ComprobarToma(*outlet, true, record), 1);
    EXPECT_EQ(record.FlagsTerrestre, 1u);
    EXPECT_DOUBLE_EQ(record.MaximoTerrestre, 70.0);
}

TEST(ErrorText, MaximumFirstThenMinimumWithOneDecimal) {
    TNodoInfo record;
    record.Estado = 3;
    record.FlagsSatelite = 1;
    record.MaximoSatelite = 72.34;
    record.FlagsTerrestre = 2;
    record.MinimoTerrestre = 55.0;
    EXPECT_EQ(TextoError(record), ">MAX(SAT:72.3) <MIN(TER:55.0)");
    record.FlagsTerrestre = 3;
    record.MaximoTerrestre = 81.25;
    record.FlagsSatelite = 3;
    record.MinimoSatelite = 40.0;
    EXPECT_EQ(TextoError(record), ">MAX(TER:81.2 SAT:72.3) <MIN(TER:55.0 SAT:40.0)");
    record.Estado = 0;
    EXPECT_EQ(TextoError(record), "");
}

} // namespace
} // namespace ixo
