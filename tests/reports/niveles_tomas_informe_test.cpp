#include "reports/niveles_tomas_informe.h"

#include "builder/instalacion.h"
#include "building/escalera.h"
#include "building/planta.h"
#include "building/vivienda.h"
#include "levels/calculo_niveles.h"
#include "levels/polaridad_vivienda.h"
#include "model/ampli_header.h"
#include "model/pin.h"
#include "model/toma_tv.h"
#include "reports/informe.h"
#include "reports/recording_writer.h"
#include "reports/report_numbers.h"
#include "reports/reports_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ixo::test {
namespace {

BuildingShape ShapeOf(int stairs, int floors, int flats, int outlets, int polarities, int layout) {
    BuildingShape shape;
    shape.stairs = stairs;
    shape.floors = floors;
    shape.flatsPerFloor = flats;
    shape.outlets = outlets;
    shape.polarities = polarities;
    shape.headendDistribution = layout;
    return shape;
}

class OutletLevelsReport : public ReportFixture {
protected:
    void BuildAndCalculate(const BuildingShape& shape, const SettingsRecord& settings = DefaultSettings()) {
        Build(shape, settings);
        ASSERT_GT(ConstruirInstalacion(*project), 0);
    }
    ReportOutcome Generate(ReportProgress& progress = NoReportProgress()) {
        return GenerarInforme(kInformeNiveles, *project, writer, progress);
    }
    // The outlet tables: those whose first cell is "FLATS".
    std::vector<const RecordingWriter::Table*> OutletTables() const {
        std::vector<const RecordingWriter::Table*> tables;
        for (const auto& table : writer.Tables()) {
            if (table.At(1, 1).Text == "FLATS") {
                tables.push_back(&table);
            }
        }
        return tables;
    }

    RecordingWriter writer;
};

// One flat with one outlet, trunk layout (the hand-worked case of the builder tests): the dish (80 dBµV)
// feeds the IF amplifier AFI-440 (+20 dB, slope -4 dB at 950 MHz, 0 at 2150 MHz) through 12 m of CX-68
// (-19 / -30 dB per 100 m at 950 / 2150 MHz); amplifier and terrestrial headend (100 dBµV) feed MT-504
// through 3 m of CX-101 (-5.4 / -13.3 / -21 dB per 100 m at 175 / 950 / 2150 MHz); taps -10 dB
// terrestrial, -3 / -1 dB IF with the IF control at -5 dB; 10 m of CX-68 (-7.7 dB per 100 m at 175 MHz);
// PAU-1 -0.3 / -0.6 / -1 dB; TF-2 -1.5 / -2.2 / -3.2 dB. At polarity 1:
//   175 MHz:  100 - 0.162 - 10 - 0.77 - 0.3 - 1.5                        = 87.268 -> "87.3"
//   950 MHz:  80 - 2.28 + 20 - 4 - 0.399 - 3 - 5 - 1.9 - 0.6 - 2.2       = 80.621 -> "80.6"
//   2150 MHz: 80 - 3.6 + 20 - 0 - 0.63 - 1 - 5 - 3.0 - 1.0 - 3.2         = 82.57  -> "82.6"
TEST_F(OutletLevelsReport, OutletTableByHand) {
    BuildAndCalculate(ShapeOf(1, 1, 1, 1, 4, 1));
    ASSERT_EQ(Generate(), ReportOutcome::Written);
    ASSERT_TRUE(writer.Errors().empty()) << writer.Errors().front();

    ASSERT_GE(writer.Texts().size(), 4u);
    EXPECT_EQ(writer.Texts()[0].Value, "OUTLET LEVELS (dBuV)\n");
    EXPECT_EQ(writer.Texts()[0].Attributes.Tamano, 14);
    EXPECT_EQ(writer.Texts()[0].Attributes.Negrita, 0);
    EXPECT_EQ(writer.Texts()[2].Value, "POLARITY 1");
    EXPECT_EQ(writer.Texts()[2].Attributes.Tamano, 12);
    EXPECT_EQ(writer.Texts()[2].Attributes.Negrita, 1);

    const auto tables = OutletTables();
    ASSERT_EQ(tables.size(), 1u);
    const auto& table = *tables[0];
    EXPECT_EQ(table.Rows, 12);
    EXPECT_EQ(table.Columns, 3);
    EXPECT_FALSE(table.GridLines);
    EXPECT_EQ(table.Widths, (std::vector<double>{2.7, 1.2, 1.7}));
    EXPECT_EQ(table.At(2, 1).Text, "FLOOR");
    EXPECT_EQ(table.At(4, 1).Text, "OUTLET");
    EXPECT_TRUE(table.At(4, 1).Bold);
    EXPECT_EQ(table.At(5, 2).Text, "FREC.\n(MHz)");
    EXPECT_TRUE(table.At(5, 2).Bold);
    EXPECT_EQ(table.At(5, 2).Alignment, Alineacion::Centre);
    const char* const frequencies[] = {"175", "470", "862", "950", "1350", "1750", "2150"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(table.At(6 + i, 2).Text, frequencies[i]);
        EXPECT_EQ(table.At(6 + i, 3).Alignment, Alineacion::Right);
    }
    const Tvivienda* flat = project->ListaViviendas().Object(0);
    const auto* outlet = dynamic_cast<const TTomaTV*>(flat->ETV().Object(0));
    ASSERT_NE(outlet, nullptr);
    EXPECT_EQ(table.At(1, 3).Text, flat->NombreViv);
    EXPECT_EQ(table.At(2, 3).Text, "Floor1");
    EXPECT_EQ(table.At(3, 3).Text,
              "Stair" + std::to_string(project->Escaleras().Object(0)->Numero_Interno()));
    EXPECT_EQ(table.At(4, 3).Text, "Outlet" + std::to_string(outlet->Numero_Interno()));
    EXPECT_EQ(table.At(6, 3).Text, "87.3");
    EXPECT_EQ(table.At(9, 3).Text, "80.6");
    EXPECT_EQ(table.At(12, 3).Text, "82.6");

    // Headend section on page 2: the terrestrial headend (3 bands from 175 MHz), then the IF amplifier
    // (4 bands from 950 MHz); the amplifier section on page 3 is empty.
    std::vector<const RecordingWriter::Table*> headend;
    for (const auto& t : writer.Tables()) {
        if (t.Page == 1) {
            headend.push_back(&t);
        }
    }
    ASSERT_EQ(headend.size(), 2u);
    EXPECT_EQ(headend[0]->Rows, 4);
    EXPECT_EQ(headend[0]->At(2, 1).Text, "175");
    EXPECT_EQ(headend[0]->At(4, 1).Text, "862");
    EXPECT_EQ(headend[1]->Rows, 5);
    EXPECT_EQ(headend[1]->At(2, 1).Text, "950");
    EXPECT_EQ(headend[1]->At(1, 2).Text, "Level\nOUT 1\n(dbuV)");
    EXPECT_TRUE(headend[1]->At(1, 2).Bold);
    EXPECT_EQ(writer.PageCount(), 3);
    const std::string text = writer.PlainText();
    EXPECT_NE(text.find("Terrestrial amplifier output level\n"), std::string::npos);
    EXPECT_NE(text.find("Satellite amplifier output level [AFI-440] [A"), std::string::npos);

    EXPECT_TRUE(writer.HeaderFooterSet());
    EXPECT_EQ(writer.Header1(), "Outlet levels");
    EXPECT_EQ(writer.Footer(), "");
}

// Nine outlets (three flats of three) give tables of 7 and 2 outlet columns; a table spans flats.
TEST_F(OutletLevelsReport, NineOutletsGiveTablesOfSevenAndTwo) {
    BuildAndCalculate(ShapeOf(1, 1, 3, 3, 4, 1));
    ASSERT_EQ(Generate(), ReportOutcome::Written);
    ASSERT_TRUE(writer.Errors().empty()) << writer.Errors().front();
    const auto tables = OutletTables();
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0]->Columns, 2 + 7);
    EXPECT_EQ(tables[1]->Columns, 2 + 2);
    EXPECT_EQ(tables[0]->Widths.size(), 9u);
    EXPECT_EQ(tables[0]->Widths.back(), 1.7);
    const auto& flats = project->ListaViviendas();
    EXPECT_EQ(tables[0]->At(1, 3).Text, flats[0].Object->NombreViv);
    EXPECT_EQ(tables[0]->At(1, 6).Text, flats[1].Object->NombreViv);
    EXPECT_EQ(tables[0]->At(1, 9).Text, flats[2].Object->NombreViv);
    EXPECT_EQ(tables[1]->At(1, 3).Text, flats[2].Object->NombreViv);
    EXPECT_EQ(tables[1]->At(1, 4).Text, flats[2].Object->NombreViv);
}

// 32 outlets: 5 tables, 3 a page with the terrestrial bands (12 rows), 4 a page without (9 rows, 950 to
// 2150 MHz only).
TEST_F(OutletLevelsReport, TablesPerPageAndBandsFollowTheTerrestrialHeadend) {
    for (bool terrestrial : {true, false}) {
        SettingsRecord settings = DefaultSettings();
        settings.HD_ICTERR = terrestrial;
        BuildAndCalculate(ShapeOf(1, 2, 4, 4, 4, 1), settings);
        writer = RecordingWriter();
        ASSERT_EQ(Generate(), ReportOutcome::Written);
        ASSERT_TRUE(writer.Errors().empty()) << writer.Errors().front();
        const auto tables = OutletTables();
        ASSERT_EQ(tables.size(), 5u);
        const int perPage = terrestrial ? 3 : 4;
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(tables[i]->Page, i / perPage) << terrestrial << " table " << i;
            EXPECT_EQ(tables[i]->Rows, terrestrial ? 12 : 9);
        }
        EXPECT_EQ(tables[4]->Columns, 2 + 4);
        EXPECT_EQ(tables[0]->At(6, 2).Text, terrestrial ? "175" : "950");
        EXPECT_EQ(tables[0]->At(tables[0]->Rows, 2).Text, "2150");
        EXPECT_EQ(writer.PlainText().find("Terrestrial amplifier output level") != std::string::npos,
                  terrestrial);
    }
}

struct NetworkState {
    std::vector<std::int32_t> polarities;
    std::vector<LevelVector> outletLevels;
    bool operator==(const NetworkState&) const = default;
};

NetworkState StateOf(const Tproyecto& project) {
    NetworkState state;
    for (const auto& flat : project.ListaViviendas()) {
        const TPin* entry = EntradaDeVivienda(*flat.Object);
        state.polarities.push_back(entry != nullptr ? entry->polaridad : -99);
        if (entry != nullptr && entry->Peer() != nullptr) {
            state.polarities.push_back(entry->Peer()->polaridad);
        }
        for (const auto& element : flat.Object->ETV()) {
            if (element.Object->Is<TTomaTV>() && !element.Object->PinesDERIVACION().empty()) {
                state.outletLevels.push_back(element.Object->PinesDERIVACION().front()->Levels());
            }
        }
    }
    return state;
}

// Every flat on a polarity of its own: after the report (and after a cancelled one) every flat has the
// same polarity and every outlet the same levels as before.
TEST_F(OutletLevelsReport, FlatPolaritiesAndLevelsAreRestored) {
    BuildAndCalculate(ShapeOf(1, 2, 3, 2, 8, 1));
    int i = 0;
    for (const auto& flat : project->ListaViviendas()) {
        SeleccionarPolaridad(*EntradaDeVivienda(*flat.Object), (i++ * 3 + 1) % 8);
    }
    Recalcular(*project);
    const NetworkState before = StateOf(*project);
    ASSERT_NE(std::count(before.polarities.begin(), before.polarities.end(), 0),
              static_cast<long>(before.polarities.size()));

    ASSERT_EQ(Generate(), ReportOutcome::Written);
    EXPECT_EQ(StateOf(*project), before);

    // Every look at the cancel flag is a place where the report may stop.
    CancelAfter never(1 << 30);
    RecordingWriter complete;
    ASSERT_EQ(GenerarInforme(kInformeNiveles, *project, complete, never), ReportOutcome::Written);
    ASSERT_GE(never.Seen(), 3);
    for (int looks = 1; looks <= never.Seen(); ++looks) {
        RecordingWriter cancelled;
        CancelAfter cancel(looks);
        EXPECT_EQ(GenerarInforme(kInformeNiveles, *project, cancelled, cancel), ReportOutcome::Cancelled)
            << looks;
        EXPECT_FALSE(cancelled.HeaderFooterSet());
        EXPECT_EQ(cancelled.SavedCount(), 0);
        EXPECT_EQ(StateOf(*project), before) << looks;
    }
}

// The levels written are those of polarity 1 (polarity 0 inside), whatever polarity the flats had.
TEST_F(OutletLevelsReport, LevelsAreThoseOfTheFirstPolarity) {
    BuildAndCalculate(ShapeOf(1, 1, 2, 1, 4, 1));
    const auto atZero = NivelesTomasPolaridadCero(*project);
    for (const auto& flat : project->ListaViviendas()) {
        SeleccionarPolaridad(*EntradaDeVivienda(*flat.Object), 3);
    }
    Recalcular(*project);
    ASSERT_EQ(Generate(), ReportOutcome::Written);
    const auto tables = OutletTables();
    ASSERT_EQ(tables.size(), 1u);
    ASSERT_EQ(atZero.size(), 2u);
    for (int k = 0; k < 2; ++k) {
        for (int band = 1; band < 8; ++band) {
            EXPECT_EQ(tables[0]->At(5 + band, 3 + k).Text, FixedOneDecimal(atZero[k].Niveles[band]))
                << k << " " << band;
        }
    }
    // The levels at polarity 1 do not depend on the polarity the flats had.
    const auto atThree = NivelesTomasPolaridadCero(*project);
    EXPECT_EQ(atThree[0].Niveles, atZero[0].Niveles);
}

// An amplifier inside a flat is listed in the amplifier section with the flat's name.
TEST_F(OutletLevelsReport, FlatAmplifierInTheAmplifierSection) {
    BuildAndCalculate(ShapeOf(1, 1, 1, 2, 4, 1));
    Tvivienda* flat = project->ListaViviendas().Object(0);
    ASSERT_TRUE(flat->InsertarAmplificador(100, 4002));
    Recalcular(*project);
    ASSERT_EQ(Generate(), ReportOutcome::Written);
    ASSERT_TRUE(writer.Errors().empty()) << writer.Errors().front();
    const std::string text = writer.PlainText();
    const auto amplifierPage = text.rfind('\f');
    ASSERT_NE(amplifierPage, std::string::npos);
    EXPECT_NE(text.find("Satellite amplifier output level [", amplifierPage), std::string::npos);
    EXPECT_NE(text.find("] [" + flat->NombreViv + "]\n", amplifierPage), std::string::npos);
    const auto& last = writer.Tables().back();
    EXPECT_EQ(last.Page, writer.PageCount() - 1);
    EXPECT_EQ(last.At(1, 1).Text, "FREC.\n(MHz)");
}

} // namespace
} // namespace ixo::test
