#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "model/padre_tv.h"
#include "support/project_fixture.h"

#include <gtest/gtest.h>

namespace ixo {
namespace {

using test::BuildingShape;

class BuildingStructure : public test::ProjectFixture {};

// Two stairs of three floors, the headend on stair 1; every cell of the flats table distinct so that
// the indexing (row 0 = last stair, column 0 = top floor) shows.
TEST_F(BuildingStructure, HeadendFloorAndFlatsTableIndexing) {
    BuildingShape shape;
    shape.stairs = 2;
    shape.floors = 3;
    shape.headendStair = 1;
    shape.flats = {{1, 2, 3}, {4, 5, 6}};
    shape.outlets = 2;
    Tproyecto& p = Build(shape);

    ASSERT_EQ(p.Escaleras().Count(), 2u);
    TEscalera& first = *p.Escaleras().Object(0);
    TEscalera& second = *p.Escaleras().Object(1);
    ASSERT_EQ(first.ListaPlantas().Count(), 4u);
    ASSERT_EQ(second.ListaPlantas().Count(), 3u);
    tplanta& headend = *first.ListaPlantas().Object(3);
    EXPECT_TRUE(headend.HeaderPl);
    EXPECT_EQ(headend.Nivel, 4);
    EXPECT_TRUE(headend.LViviendas().Empty());
    EXPECT_EQ(p.PlantaCabecera(), &headend);
    EXPECT_EQ(second.PlantaCabecera(), nullptr);

    // Stair 1 (i = 0) reads row Nverticales-1-0 = 1; its floor 1 (f = 0) reads column 3-1-0 = 2.
    EXPECT_EQ(first.ListaPlantas().Object(0)->LViviendas().Count(), 6u);
    EXPECT_EQ(first.ListaPlantas().Object(1)->LViviendas().Count(), 5u);
    EXPECT_EQ(first.ListaPlantas().Object(2)->LViviendas().Count(), 4u);
    EXPECT_EQ(second.ListaPlantas().Object(0)->LViviendas().Count(), 3u);
    EXPECT_EQ(second.ListaPlantas().Object(1)->LViviendas().Count(), 2u);
    EXPECT_EQ(second.ListaPlantas().Object(2)->LViviendas().Count(), 1u);

    for (std::size_t f = 0; f < second.ListaPlantas().Count(); ++f) {
        tplanta& floor = *second.ListaPlantas().Object(f);
        EXPECT_EQ(floor.Nivel, static_cast<int>(f) + 1);
        EXPECT_EQ(floor.Escalera(), &second);
        EXPECT_EQ(floor.NombreEscalera, second.Name());
        EXPECT_FALSE(floor.HeaderPl);
    }
    EXPECT_EQ(p.NumEscalerasConViviendas(), 2);
    EXPECT_EQ(p.ListaViviendas().Count(), 21u);
    EXPECT_EQ(first.UltimaPlantaConViviendas(), first.ListaPlantas().Object(2));
    EXPECT_EQ(first.ErroresEscalera().Proyecto, &p);
}

TEST_F(BuildingStructure, NoHeadendStairMakesNoHeadendFloor) {
    BuildingShape shape;
    shape.stairs = 2;
    shape.floors = 2;
    shape.headendStair = 0;
    Tproyecto& p = Build(shape);
    EXPECT_EQ(p.PlantaCabecera(), nullptr);
    EXPECT_EQ(p.Escaleras().Object(0)->ListaPlantas().Count(), 2u);
    EXPECT_EQ(p.Escaleras().Object(1)->ListaPlantas().Count(), 2u);
}

} // namespace
} // namespace ixo
