#include "reports/lista_materiales.h"

#include "builder/instalacion.h"
#include "building/escalera.h"
#include "building/planta.h"
#include "building/vivienda.h"
#include "common/ascii_case.h"
#include "model/alimentador.h"
#include "model/antena.h"
#include "model/cabecera_terrestre.h"
#include "model/cable_tv.h"
#include "model/carga.h"
#include "model/conector.h"
#include "model/especial.h"
#include "model/pin.h"
#include "model/repartidor.h"
#include "model/toma_tv.h"
#include "reports/recording_writer.h"
#include "reports/report_numbers.h"
#include "reports/reports_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

namespace ixo::test {
namespace {

ArticleInfo NoArticle(std::string_view) {
    return {};
}

const TElementoRec* LineOf(const std::vector<TElementoRec>& lines, std::string_view name) {
    for (const TElementoRec& line : lines) {
        if (line.Nombre == name) {
            return &line;
        }
    }
    return nullptr;
}

class MaterialsTest : public ReportFixture {
protected:
    void SetUp() override {
        Build(BuildingShape{});
        cable = project->Preferencias().Cable(3);
        ASSERT_NE(cable, nullptr);
    }
    TCableTV* cable = nullptr;
};

// Two connections of one cable model, 12.34 m and 0.5 m: each length is rounded to one decimal before it
// is added, 12.3 + 0.5 = 12.8 m in one line.
TEST_F(MaterialsTest, CableLengthsAreRoundedAndAddedInOneLine) {
    auto* splitter = Make<TRepartidor>(101, 1002); // RP-2
    auto* first = Make<TTomaTV>(20, 5);            // TF-2, end outlet
    auto* second = Make<TTomaTV>(20, 5);
    ASSERT_TRUE(splitter->ConnectPin(0, PinKind::Output, 12.34, cable, 0, PinKind::Input, *first));
    ASSERT_TRUE(splitter->ConnectPin(1, PinKind::Output, 0.5, cable, 0, PinKind::Input, *second));
    TlistaIntel list(NoArticle);
    list.ContarElemento(*first);
    list.ContarElemento(*second);
    const auto& lines = list.Lineas();
    // The outlets (one line, 2 pieces) and the cable; outlets get neither connectors nor tap loads.
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Nombre, "TF-2");
    EXPECT_EQ(lines[0].Cantidad, 2.0);
    EXPECT_EQ(lines[0].Tipo, TipoMaterial::Elemento);
    EXPECT_EQ(lines[1].Nombre, cable->Modelo);
    EXPECT_EQ(lines[1].Tipo, TipoMaterial::Cable);
    EXPECT_NEAR(lines[1].Cantidad, 12.8, 1e-9);
    EXPECT_EQ(FixedOneDecimal(lines[1].Cantidad), "12.8");
}

// PO-80Q dishes name the LNB "LQ-40": two dishes give one LQ-40 line of 2, as an LNB (Indice -1,
// family 3540) with the article of that name (750050 in the demo article file).
TEST_F(MaterialsTest, TwoDishesWithOneLnbTextGiveOneLnbLine) {
    auto* dish1 = Make<Tantena>(10, 3510);
    auto* dish2 = Make<Tantena>(10, 3510);
    ASSERT_EQ(dish1->LNB, "LQ-40");
    TlistaIntel list(ArticlesOf(*project));
    list.ContarElemento(*dish1);
    list.ContarElemento(*dish2);
    const TElementoRec* lnb = LineOf(list.Lineas(), "LQ-40");
    ASSERT_NE(lnb, nullptr);
    EXPECT_EQ(lnb->Cantidad, 2.0);
    EXPECT_EQ(lnb->Indice, -1);
    EXPECT_EQ(lnb->Familia, 3540);
    EXPECT_EQ(lnb->Codigo, "750050");
    const TElementoRec* dishes = LineOf(list.Lineas(), "PO-80Q");
    ASSERT_NE(dishes, nullptr);
    EXPECT_EQ(dishes->Cantidad, 2.0);
    EXPECT_EQ(dishes->Codigo, "750010");
}

// RP-2 with its input free, output 1 cabled 3 m to a TF-2 and output 2 free: the free output adds its
// load, the outlet's free tap does not; the cabled splitter output adds its cable connector, the outlet
// adds none; the free splitter input adds nothing.
TEST_F(MaterialsTest, FreeSplitterOutputAddsALoadFreeOutletTapDoesNot) {
    auto* splitter = Make<TRepartidor>(101, 1002);
    auto* outlet = Make<TTomaTV>(20, 5);
    ASSERT_TRUE(splitter->ConnectPin(0, PinKind::Output, 3.0, cable, 0, PinKind::Input, *outlet));
    const TPin& freeOutput = *splitter->PinesSALIDA()[1];
    ASSERT_FALSE(freeOutput.IsConnected());
    ASSERT_NE(freeOutput.Load(), nullptr);
    const TConector* connector = splitter->PinesSALIDA()[0]->FittedConnector();
    ASSERT_NE(connector, nullptr);

    TlistaIntel list(ArticlesOf(*project));
    list.ContarElemento(*splitter);
    list.ContarElemento(*outlet);
    list.Ordenar();
    std::map<std::string, double> counted;
    for (const TElementoRec& line : list.Lineas()) {
        counted[line.Nombre] += line.Cantidad;
    }
    const std::map<std::string, double> expected = {{"RP-2", 1.0},
                                                    {"TF-2", 1.0},
                                                    {cable->Modelo, 3.0},
                                                    {connector->Modelo, 1.0},
                                                    {freeOutput.Load()->Modelo, 1.0}};
    EXPECT_EQ(counted, expected);
    // Sorted by article code.
    for (std::size_t i = 1; i < list.Lineas().size(); ++i) {
        EXPECT_LE(list.Lineas()[i - 1].Codigo, list.Lineas()[i].Codigo);
    }
}

// An element met twice is one piece, and its pins are not counted again either.
TEST_F(MaterialsTest, AnElementMetTwiceIsCountedOnce) {
    auto* splitter = Make<TRepartidor>(101, 1002);
    TlistaIntel list(NoArticle);
    list.ContarElemento(*splitter);
    list.ContarElemento(*splitter);
    const TElementoRec* line = LineOf(list.Lineas(), "RP-2");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->Cantidad, 1.0);
    // Two free outputs: two loads, however often the splitter is met.
    const TElementoRec* loads = LineOf(list.Lineas(), splitter->PinesSALIDA()[0]->Load()->Modelo);
    ASSERT_NE(loads, nullptr);
    EXPECT_EQ(loads->Cantidad, 2.0);
}

// Flat entries and the terrestrial headend are counted, then left out; the table gets the terrestrial
// amplifier row instead, only when the headend has one.
TEST_F(MaterialsTest, WritesTheTableWithTheTerrestrialRow) {
    auto* headend = Make<TCabeceraTerrestre>(30, 4923);
    project->PlantaCabecera()->AgregarElemento(headend);
    Tvivienda* flat = project->ListaViviendas().Object(0);
    ASSERT_TRUE(headend->ConnectPin(kFirstFreePin, PinKind::Output, 12.34, cable, kFirstFreePin,
                                    PinKind::Input, *flat->Entrada()));
    const auto lines = ListaMateriales(*project, ArticlesOf(*project), NoReportProgress());
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(LineOf(*lines, headend->Modelo), nullptr);
    EXPECT_EQ(LineOf(*lines, flat->Entrada()->Modelo), nullptr);
    for (const TElementoRec& line : *lines) {
        EXPECT_NE(line.Tipo, TipoMaterial::NoMaterial) << line.Nombre;
    }

    for (bool terrestrial : {true, false}) {
        RecordingWriter writer;
        EscribirListaMateriales(writer, *lines, terrestrial);
        EXPECT_TRUE(writer.Errors().empty()) << writer.Errors().front();
        ASSERT_EQ(writer.Tables().size(), 1u);
        const auto& table = writer.Tables()[0];
        const int first = terrestrial ? 3 : 2;
        ASSERT_EQ(table.Rows, first - 1 + static_cast<int>(lines->size()));
        ASSERT_EQ(table.Columns, 4);
        EXPECT_EQ(table.Widths, (std::vector<double>{2.0, 3.0, 9.0, 1.5}));
        EXPECT_EQ(table.FontSize, 9);
        EXPECT_EQ(table.At(1, 1).Text, "Code");
        EXPECT_EQ(table.At(1, 4).Text, "Count");
        for (int column = 1; column <= 4; ++column) {
            EXPECT_TRUE(table.At(1, column).Bold);
        }
        if (terrestrial) {
            EXPECT_EQ(table.At(2, 1).Text, "");
            EXPECT_EQ(table.At(2, 2).Text, "Terrestrial amplifier");
            EXPECT_EQ(table.At(2, 3).Text, "Terrestrial amplifier");
            EXPECT_EQ(table.At(2, 4).Text, "1");
        } else {
            EXPECT_NE(table.At(2, 2).Text, "Terrestrial amplifier");
        }
        for (std::size_t i = 0; i < lines->size(); ++i) {
            const int row = first + static_cast<int>(i);
            EXPECT_EQ(table.At(row, 1).Text, (*lines)[i].Codigo);
            EXPECT_EQ(table.At(row, 2).Text, (*lines)[i].Nombre);
            EXPECT_EQ(table.At(row, 4).Text, FixedOneDecimal((*lines)[i].Cantidad));
            EXPECT_EQ(table.At(row, 1).Alignment, Alineacion::Left);
            EXPECT_EQ(table.At(row, 4).Alignment, Alineacion::Right);
            EXPECT_FALSE(table.At(row, 1).Bold);
        }
        // The heading: 12 pt bold, then a 10 pt line break.
        ASSERT_GE(writer.Texts().size(), 2u);
        EXPECT_EQ(writer.Texts()[0].Value, "List of materials\n\n");
        EXPECT_EQ(writer.Texts()[0].Attributes.Tamano, 12);
        EXPECT_EQ(writer.Texts()[0].Attributes.Negrita, 1);
        EXPECT_EQ(writer.Texts()[1].Attributes.Tamano, 10);
        EXPECT_EQ(writer.Texts()[1].Attributes.Negrita, 0);
    }
    // The 12.34 m feed to the entry is 12.3 m of cable: the flat's own cables add to the same model
    // only when they are of it.
    const TElementoRec* cableLine = LineOf(*lines, cable->Modelo);
    ASSERT_NE(cableLine, nullptr);
    EXPECT_GE(cableLine->Cantidad, 12.3 - 1e-9);
}

TEST_F(MaterialsTest, CancelledCollectionGivesNothing) {
    CancelAfter cancel(1);
    EXPECT_FALSE(ListaMateriales(*project, NoArticle, cancel).has_value());
}

// --- Built projects: the list against an independent count -------------------------------------------

using Counts = std::map<std::string, double>;

void AddTo(Counts& counts, const std::string& name, double quantity) {
    counts[UpperAscii(name)] += quantity;
}

// Every network element of the project, found through its owners (the network container and each
// flat's container), not through the floor lists the report walks.
std::set<const TCBFT*> AllElements(const Tproyecto& project) {
    std::set<const TCBFT*> found;
    const auto collect = [&](const TPrimerComponente& owner) {
        for (const TPrimerComponente* component : owner.Components()) {
            if (const auto* element = dynamic_cast<const TCBFT*>(component)) {
                found.insert(element);
            }
        }
    };
    collect(project.RedTV());
    for (const auto& flat : project.ListaViviendas()) {
        collect(*flat.Object->Contenedor());
    }
    return found;
}

// The materials counted connection by connection: each cabled connection once (its length rounded to
// one decimal); a connector at each end of a cable longer than 0, except at outlets, supplies and flat
// entries and at the input of a dish or terrestrial headend; a load at each free output, at each free
// tap except an outlet's, and at each free input of an outlet; none at supplies and flat entries.
Counts IndependentCount(const Tproyecto& project) {
    Counts counts;
    std::set<const TPin*> seenConnections;
    for (const TCBFT* element : AllElements(project)) {
        const bool notMaterial = element->Is<Tentradaviv>() || element->Is<TCabeceraTerrestre>();
        if (!notMaterial) {
            AddTo(counts, element->Modelo, 1.0);
        }
        if (const auto* dish = dynamic_cast<const Tantena*>(element); dish != nullptr && !dish->LNB.empty()) {
            AddTo(counts, dish->LNB, 1.0);
        }
        const bool outlet = element->Is<TTomaTV>();
        const bool noParts = element->Is<TFUENTE>() || element->Is<Tespecial>();
        for (PinKind kind : {PinKind::Input, PinKind::Output, PinKind::Tap}) {
            for (const TPin* pin : element->PinsOf(kind)) {
                if (pin->IsConnected()) {
                    if (seenConnections.insert(pin).second) {
                        seenConnections.insert(pin->Peer());
                        if (pin->Cable() != nullptr) {
                            AddTo(counts, pin->Cable()->Modelo, std::round(pin->MetrosCable * 10.0) / 10.0);
                        }
                    }
                    const bool aerialInput = kind == PinKind::Input &&
                                             (element->Is<Tantena>() || element->Is<TCabeceraTerrestre>());
                    if (pin->MetrosCable > 0.0 && !outlet && !noParts && !aerialInput &&
                        pin->FittedConnector()) {
                        AddTo(counts, pin->FittedConnector()->Modelo, 1.0);
                    }
                } else if (!noParts && pin->Load() != nullptr &&
                           (kind == PinKind::Output || (kind == PinKind::Tap && !outlet) ||
                            (kind == PinKind::Input && outlet))) {
                    AddTo(counts, pin->Load()->Modelo, 1.0);
                }
            }
        }
    }
    return counts;
}

struct Layout {
    const char* name;
    BuildingShape shape;
};

BuildingShape ShapeOf(int stairs, int floors, int flats, int outlets, int polarities, int layout,
                      int topology) {
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

TEST_F(MaterialsTest, BuiltProjectsOfEveryLayoutMatchAnIndependentCount) {
    const Layout layouts[] = {
        {"flats from the headend multiswitches", ShapeOf(1, 2, 2, 2, 4, 0, 0)},
        {"trunk, 4 polarities, cascade flats", ShapeOf(3, 4, 3, 2, 4, 1, 1)},
        {"trunk, 8 polarities", ShapeOf(2, 3, 4, 2, 8, 1, 0)},
        {"trunk, 12 polarities through switches", ShapeOf(2, 3, 2, 1, 12, 1, 0)},
        {"trunk, 16 polarities", ShapeOf(1, 3, 2, 3, 16, 1, 1)},
        {"one stair fed from the headend", ShapeOf(1, 5, 2, 2, 4, 1, 0)},
    };
    for (const Layout& layout : layouts) {
        Build(layout.shape);
        ASSERT_GT(ConstruirInstalacion(*project), 0) << layout.name;
        const auto lines = ListaMateriales(*project, ArticlesOf(*project), NoReportProgress());
        ASSERT_TRUE(lines.has_value());
        Counts listed;
        for (const TElementoRec& line : *lines) {
            EXPECT_EQ(listed.count(UpperAscii(line.Nombre)), 0u)
                << layout.name << ": two lines " << line.Nombre;
            AddTo(listed, line.Nombre, line.Cantidad);
        }
        const Counts expected = IndependentCount(*project);
        ASSERT_EQ(listed.size(), expected.size()) << layout.name;
        for (const auto& [name, quantity] : expected) {
            ASSERT_EQ(listed.count(name), 1u) << layout.name << ": " << name << " missing";
            EXPECT_NEAR(listed.at(name), quantity, 1e-6) << layout.name << ": " << name;
        }
        EXPECT_GT(expected.size(), 5u) << layout.name;
    }
}

} // namespace
} // namespace ixo::test
