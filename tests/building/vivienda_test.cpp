#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "model/cable_tv.h"
#include "model/especial.h"
#include "model/lin_amp.h"
#include "model/padre_tv.h"
#include "model/pin.h"
#include "model/repartidor.h"
#include "model/toma_tv.h"
#include "support/project_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace ixo {
namespace {

using test::BuildingShape;

// One stair, one floor, one flat with the given distribution.
BuildingShape OneFlat(int outlets, int topology) {
    BuildingShape shape;
    shape.outlets = outlets;
    shape.topology = topology;
    shape.headendStair = 0;
    return shape;
}

class Flat : public test::ProjectFixture {
protected:
    Tvivienda& BuildFlat(int outlets, int topology, const SettingsRecord& settings = DefaultSettings()) {
        Build(OneFlat(outlets, topology), settings);
        auto flats = project->ListaViviendas();
        EXPECT_EQ(flats.Count(), 1u);
        return *flats.Object(0);
    }
    TCableTV* FlatCable() const {
        return project->Preferencias().Cable(TpreferenciasProyecto::kCableVivienda);
    }

    // The element at the other end of output pin `pin` of element.
    static TComponenteBase* Downstream(const TComponenteBase& element, int pin) {
        TPin* out = element.PinAt(PinKind::Output, pin);
        return out != nullptr && out->Peer() != nullptr ? dynamic_cast<TComponenteBase*>(out->Peer()->Owner())
                                                        : nullptr;
    }
    // Checks that output `pin` of from reaches to's first input with the given cable and length.
    void ExpectLink(const TComponenteBase& from, int pin, const TComponenteBase& to, TCableTV* cable,
                    double metres) {
        TPin* out = from.PinAt(PinKind::Output, pin);
        ASSERT_NE(out, nullptr) << from.Name();
        ASSERT_NE(out->Peer(), nullptr) << from.Name() << " output " << pin;
        EXPECT_EQ(out->Peer(), to.PinAt(PinKind::Input, 0)) << from.Name() << " -> " << to.Name();
        EXPECT_EQ(out->Cable(), cable);
        EXPECT_DOUBLE_EQ(out->MetrosCable, metres);
        EXPECT_DOUBLE_EQ(out->Peer()->MetrosCable, metres);
    }
};

TEST(CascadeModelIndex, FirstOrderAboveThePositionElseTheLast) {
    // Models of order 1 and 5: the last outlet (i = 0) takes order 1, the two nearer the entry order 5.
    EXPECT_EQ(CascadeModelIndex({1, 5}, 0), 0u);
    EXPECT_EQ(CascadeModelIndex({1, 5}, 1), 1u);
    EXPECT_EQ(CascadeModelIndex({1, 5}, 2), 1u);
    EXPECT_EQ(CascadeModelIndex({1, 5}, 9), 1u);
    EXPECT_EQ(CascadeModelIndex({3}, 0), 0u);
}

TEST_F(Flat, NewFlatIsNamedAndLinkedToItsFloor) {
    Tvivienda& flat = BuildFlat(2, 0);
    tplanta* floor = project->Escaleras().Object(0)->ListaPlantas().Object(0);
    EXPECT_EQ(flat.Planta(), floor);
    EXPECT_EQ(flat.Nombreplanta, floor->Name());
    EXPECT_EQ(flat.NombreViv, "FL" + std::to_string(flat.Numero_Interno()));
    EXPECT_TRUE(flat.Reconstruible);
    EXPECT_EQ(flat.Numtomas(), 2);
    EXPECT_EQ(flat.Topologia(), 0);
    ASSERT_NE(flat.Entrada(), nullptr);
    EXPECT_EQ(flat.Entrada()->Indice, 1);
    EXPECT_EQ(flat.Entrada()->Familia, 100000);
    EXPECT_EQ(flat.Entrada()->Owner(), flat.Contenedor());
    EXPECT_EQ(flat.Entrada()->Container(), &flat);
}

TEST_F(Flat, StarFeedsOneOutletPerSplitterOutput) {
    Tvivienda& flat = BuildFlat(3, 0);
    ASSERT_EQ(flat.ETV().Count(), 4u);
    auto [splitter, position] = flat.PrimerRepartidor();
    ASSERT_NE(splitter, nullptr);
    EXPECT_EQ(position, 0);
    EXPECT_EQ(splitter->Familia, 1002);
    EXPECT_EQ(splitter->Indice, 102); // the first of the family with three outputs
    EXPECT_FALSE(flat.AmplificadorInterior());
    ExpectLink(*flat.Entrada(), 0, *splitter, FlatCable(), 0.0);
    for (int k = 1; k <= 3; ++k) {
        auto* outlet = dynamic_cast<TTomaTV*>(flat.ETV().Object(static_cast<std::size_t>(k)));
        ASSERT_NE(outlet, nullptr);
        EXPECT_EQ(outlet->Familia, 5);
        EXPECT_EQ(outlet->Owner(), flat.Contenedor());
        EXPECT_EQ(outlet->Container(), &flat);
        ExpectLink(*splitter, k - 1, *outlet, FlatCable(), 5.0);
    }
    EXPECT_EQ(FlatCable()->Indice, 24);
    EXPECT_EQ(FlatCable()->Familia, 9001);
}

TEST_F(Flat, SingleOutletOfAStarIsBuiltAsACascadeOfOne) {
    Tvivienda& flat = BuildFlat(1, 0);
    ASSERT_EQ(flat.ETV().Count(), 1u);
    auto* outlet = dynamic_cast<TTomaTV*>(flat.ETV().Object(0));
    ASSERT_NE(outlet, nullptr);
    EXPECT_EQ(outlet->Familia, 5); // the star family, not the cascade one
    EXPECT_EQ(flat.PrimerRepartidor().first, nullptr);
    ExpectLink(*flat.Entrada(), 0, *outlet, FlatCable(), 0.0);
}

TEST_F(Flat, CascadeOutletsTakeTheirModelByPositionFromTheEnd) {
    // Family 4 has orders 1 to 6; eight outlets: from the end of the chain 1, 2, ..., 6, 6, 6.
    Tvivienda& flat = BuildFlat(8, 1);
    ASSERT_EQ(flat.ETV().Count(), 8u);
    const int expectedOrder[8] = {6, 6, 6, 5, 4, 3, 2, 1}; // from the entry onwards
    for (std::size_t k = 0; k < 8; ++k) {
        auto* outlet = dynamic_cast<TTomaTV*>(flat.ETV().Object(k));
        ASSERT_NE(outlet, nullptr);
        EXPECT_EQ(outlet->Familia, 4);
        EXPECT_EQ(outlet->OrdenCascada, expectedOrder[k]) << "outlet " << k;
        if (k + 1 < 8) {
            ExpectLink(*outlet, 0, *flat.ETV().Object(k + 1), FlatCable(), 5.0);
        }
    }
    ExpectLink(*flat.Entrada(), 0, *flat.ETV().Object(0), FlatCable(), 0.0);
    EXPECT_EQ(Downstream(*flat.ETV().Object(7), 0), nullptr); // the chain ends at the last outlet
}

TEST_F(Flat, StarLargerThanTheFamilyTakesTheSisterFamily) {
    Tvivienda& flat = BuildFlat(10, 0);
    auto [splitter, position] = flat.PrimerRepartidor();
    ASSERT_NE(splitter, nullptr);
    EXPECT_EQ(splitter->Familia, 1003);
    EXPECT_EQ(splitter->Indice, 110);
    EXPECT_EQ(flat.ETV().Count(), 11u);
    for (int k = 0; k < 10; ++k) {
        EXPECT_NE(Downstream(*splitter, k), nullptr) << "output " << k;
    }
}

TEST_F(Flat, MissingCatalogueModelsLeaveTheFlatWithoutOutlets) {
    SettingsRecord settings = DefaultSettings();
    settings.Viv_FamiliaTomasES = 999999;
    settings.Viv_FamiliaRepartidores = 999998;
    EXPECT_TRUE(BuildFlat(1, 0, settings).ETV().Empty());
    EXPECT_TRUE(BuildFlat(4, 0, settings).ETV().Empty());
    settings = DefaultSettings();
    settings.Viv_FamiliaRepartidores = 999998;
    EXPECT_TRUE(BuildFlat(4, 0, settings).ETV().Empty());
}

TEST_F(Flat, UnknownTopologyBuildsNothing) {
    Tvivienda& flat = BuildFlat(2, 0);
    flat.SetTopologia(7);
    EXPECT_TRUE(flat.ETV().Empty());
    EXPECT_FALSE(flat.Entrada()->PinAt(PinKind::Output, 0)->IsConnected());
}

TEST_F(Flat, WritingNumtomasRebuildsOnlyWhenRebuildable) {
    Tvivienda& flat = BuildFlat(2, 0);
    flat.Reconstruible = false; // as read from a file, before the reader marks it
    flat.SetNumtomas(4);
    EXPECT_EQ(flat.ETV().Count(), 3u);
    flat.Reconstruible = true;
    flat.SetNumtomas(4);
    ASSERT_EQ(flat.ETV().Count(), 5u);
    EXPECT_EQ(flat.PrimerRepartidor().first->Indice, 103);
    ExpectLink(*flat.Entrada(), 0, *flat.ETV().Object(0), FlatCable(), 0.0);
    flat.SetTopologia(1);
    ASSERT_EQ(flat.ETV().Count(), 4u);
    EXPECT_EQ(flat.PrimerRepartidor().first, nullptr);
    EXPECT_EQ(flat.Contenedor()->ComponentCount(), 5u); // the entry and four outlets: nothing leaked
}

TEST_F(Flat, AmplifierGoesBetweenTheEntryAndTheSplitterOnce) {
    Tvivienda& flat = BuildFlat(2, 0);
    TRepartidor* splitter = flat.PrimerRepartidor().first;
    ASSERT_NE(splitter, nullptr);
    ASSERT_TRUE(flat.InsertarAmplificador(101, 39000));
    ASSERT_EQ(flat.ETV().Count(), 4u);
    auto* amplifier = dynamic_cast<TLinAmp*>(flat.ETV().Object(0));
    ASSERT_NE(amplifier, nullptr);
    EXPECT_EQ(amplifier->Indice, 101);
    EXPECT_EQ(amplifier->Container(), &flat);
    EXPECT_TRUE(flat.AmplificadorInterior());
    EXPECT_EQ(flat.PrimerRepartidor().second, 1);
    ExpectLink(*flat.Entrada(), 0, *amplifier, FlatCable(), 0.0);
    ExpectLink(*amplifier, 0, *splitter, FlatCable(), 0.5);

    EXPECT_FALSE(flat.InsertarAmplificador(101, 39000));
    EXPECT_EQ(flat.ETV().Count(), 4u);
    ExpectLink(*flat.Entrada(), 0, *amplifier, FlatCable(), 0.0);
}

TEST_F(Flat, UnknownAmplifierModelIsRefused) {
    Tvivienda& flat = BuildFlat(2, 0);
    EXPECT_FALSE(flat.InsertarAmplificador(4242, 39000));
    EXPECT_FALSE(flat.AmplificadorInterior());
    EXPECT_EQ(flat.ETV().Count(), 3u);
}

TEST_F(Flat, RebuildKeepsTheAmplifierInFront) {
    Tvivienda& flat = BuildFlat(2, 0);
    ASSERT_TRUE(flat.InsertarAmplificador(101, 39000));
    TComponenteBase* amplifier = flat.ETV().Object(0);
    flat.SetNumtomas(3);
    ASSERT_EQ(flat.ETV().Count(), 5u);
    EXPECT_EQ(flat.ETV().Object(0), amplifier);
    ExpectLink(*flat.Entrada(), 0, *amplifier, FlatCable(), 0.0);
    ExpectLink(*amplifier, 0, *flat.ETV().Object(1), FlatCable(), 0.5);

    // In a cascade the chain step links the amplifier at the outlet distance; that link stays.
    flat.SetTopologia(1);
    ASSERT_EQ(flat.ETV().Count(), 4u);
    EXPECT_EQ(flat.ETV().Object(0), amplifier);
    ExpectLink(*amplifier, 0, *flat.ETV().Object(1), FlatCable(), 5.0);
    ExpectLink(*flat.Entrada(), 0, *amplifier, FlatCable(), 0.0);
}

TEST_F(Flat, RemovingTheAmplifierJoinsItsNeighbours) {
    Tvivienda& flat = BuildFlat(2, 0);
    EXPECT_FALSE(flat.QuitarAmplificador(flat.ETV().Object(0))); // no amplifier yet
    ASSERT_TRUE(flat.InsertarAmplificador(101, 39000));
    TComponenteBase* splitter = flat.ETV().Object(1);
    EXPECT_FALSE(flat.QuitarAmplificador(splitter)); // two connected outputs
    ASSERT_TRUE(flat.QuitarAmplificador(flat.ETV().Object(0)));
    EXPECT_FALSE(flat.AmplificadorInterior());
    ASSERT_EQ(flat.ETV().Count(), 3u);
    ExpectLink(*flat.Entrada(), 0, *splitter, FlatCable(), 0.0);
}

TEST_F(Flat, MovingAFlatUpdatesBothFloors) {
    BuildingShape shape;
    shape.floors = 2;
    shape.flatsPerFloor = 2;
    shape.headendStair = 0;
    Build(shape);
    TEscalera& stair = *project->Escaleras().Object(0);
    tplanta& low = *stair.ListaPlantas().Object(0);
    tplanta& high = *stair.ListaPlantas().Object(1);
    Tvivienda* flat = low.LViviendas().Object(0);
    flat->AsignarPlanta(&high);
    EXPECT_EQ(low.LViviendas().Count(), 1u);
    ASSERT_EQ(high.LViviendas().Count(), 3u);
    EXPECT_EQ(high.LViviendas().Object(2), flat);
    EXPECT_EQ(flat->Nombreplanta, high.Name());
    flat->AsignarPlanta(nullptr);
    EXPECT_EQ(high.LViviendas().Count(), 2u);
    EXPECT_EQ(flat->Planta(), nullptr);
    // A floor that names the flat already (as a floor read from a file does before the objects are
    // attached) gets the object in that entry instead of a second entry.
    high.LViviendas().Insert(0, flat->Name(), nullptr);
    flat->AsignarPlanta(&high);
    ASSERT_EQ(high.LViviendas().Count(), 3u);
    EXPECT_EQ(high.LViviendas().Object(0), flat);
    EXPECT_EQ(flat->Nombreplanta, high.Name());
    flat->AsignarPlanta(nullptr);
    EXPECT_EQ(flat->Nombreplanta, "");
}

} // namespace
} // namespace ixo
