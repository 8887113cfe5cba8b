#include "building/building_classes.h"
#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "model/class_registry.h"
#include "model/especial.h"
#include "model/padre_tv.h"
#include "model/repartidor.h"
#include "model/toma_tv.h"
#include "support/project_fixture.h"

#include <gtest/gtest.h>

namespace ixo {
namespace {

using test::BuildingShape;

class Project : public test::ProjectFixture {};

TEST(ProjectDefaults, NewProjectState) {
    auto p = TPrimerComponente::CreateRoot<Tproyecto>();
    EXPECT_TRUE(p->Modificado);
    EXPECT_FALSE(p->Abierto);
    EXPECT_FALSE(p->finalizadocalculoTV);
    EXPECT_FALSE(p->ConErrores);
    EXPECT_TRUE(p->cajetinvisible);
    EXPECT_DOUBLE_EQ(p->Altocajetin, 30.0);
    EXPECT_DOUBLE_EQ(p->AnchoCajetin, 90.0);
    EXPECT_TRUE(p->Datosproyecto().empty());
    EXPECT_TRUE(p->IsPathRoot());
    EXPECT_EQ(p->Preferencias().Owner(), p.get());
    EXPECT_EQ(p->Edificio().Name(), "Edificio");
    EXPECT_EQ(p->RedTV().Name(), "RedTV");
    EXPECT_EQ(p->PlantaCabecera(), nullptr);
    EXPECT_EQ(p->NumEscalerasConViviendas(), 0);
    EXPECT_TRUE(p->NombreFichero.ends_with("/Project1.XPJ"));
}

TEST(ProjectDefaults, FileNameInAProjectsFolder) {
    EXPECT_EQ(Tproyecto::NombreFicheroEn("/home/ana/Projects"), "/home/ana/Projects/Project1.XPJ");
    EXPECT_EQ(Tproyecto::NombreFicheroEn("/home/ana/Projects//"), "/home/ana/Projects/Project1.XPJ");
    EXPECT_EQ(Tproyecto::NombreFicheroEn("C:\\Obras\\\\"), "C:\\Obras/Project1.XPJ");
}

TEST(ProjectDefaults, TitleBlockHasTenLinesWithTodaysDate) {
    auto p = TPrimerComponente::CreateRoot<Tproyecto>();
    p->DatosProyectoPorDefecto();
    const auto& lines = p->Datosproyecto();
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], "Author: ");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "Date:   ");
    // dd/mm/yyyy
    const std::string& date = lines[3];
    ASSERT_EQ(date.size(), 10u) << date;
    for (std::size_t i = 0; i < date.size(); ++i) {
        if (i == 2 || i == 5) {
            EXPECT_EQ(date[i], '/') << date;
        } else {
            EXPECT_TRUE(date[i] >= '0' && date[i] <= '9') << date;
        }
    }
    EXPECT_EQ(lines[4], "Revision: ");
    EXPECT_EQ(lines[6], "Title: ");
    for (std::size_t i : {5u, 7u, 8u, 9u}) {
        EXPECT_EQ(lines[i], "") << i;
    }
}

// The demo building of three stairs of ten floors with two flats a floor and four cascade outlets.
TEST_F(Project, DemoBuildingCounts) {
    BuildingShape shape;
    shape.stairs = 3;
    shape.floors = 10;
    shape.flatsPerFloor = 2;
    shape.outlets = 4;
    shape.topology = 1;
    shape.headendStair = 2;
    Tproyecto& p = Build(shape);
    EXPECT_EQ(p.Preferencias().ListaCables().Count(), 5u);
    EXPECT_EQ(p.Datosproyecto().size(), 10u);
    ASSERT_EQ(p.Escaleras().Count(), 3u);
    EXPECT_EQ(p.Escaleras().Object(0)->ListaPlantas().Count(), 10u);
    EXPECT_EQ(p.Escaleras().Object(1)->ListaPlantas().Count(), 11u);
    EXPECT_EQ(p.Escaleras().Object(2)->ListaPlantas().Count(), 10u);
    EXPECT_EQ(p.PlantaCabecera(), p.Escaleras().Object(1)->ListaPlantas().Object(10));
    EXPECT_EQ(p.NumEscalerasConViviendas(), 3);
    auto flats = p.ListaViviendas();
    ASSERT_EQ(flats.Count(), 60u);
    EXPECT_EQ(p.Edificio().ComponentCount(), 3u + 31u + 60u);
    EXPECT_EQ(p.RedTV().ComponentCount(), 0u);
    for (const auto& entry : flats) {
        EXPECT_EQ(entry.Name, entry.Object->Name());
        ASSERT_EQ(entry.Object->ETV().Count(), 4u);
        EXPECT_TRUE(entry.Object->ETV().Object(0)->Is<TTomaTV>());
        EXPECT_TRUE(entry.Object->Entrada()->PinAt(PinKind::Output, 0)->IsConnected());
    }
    // Flat names run with their number.
    EXPECT_EQ(flats.Object(0)->NombreViv, "FL" + std::to_string(flats.Object(0)->Numero_Interno()));
    EXPECT_NE(flats.Object(0)->NombreViv, flats.Object(1)->NombreViv);
}

TEST_F(Project, StairWithoutFlatsIsNotCounted) {
    BuildingShape shape;
    shape.stairs = 2;
    shape.floors = 2;
    shape.flats = {{0, 0}, {1, 0}}; // the last stair has none; stair 1 has one flat on its top floor
    Tproyecto& p = Build(shape);
    EXPECT_EQ(p.NumEscalerasConViviendas(), 1);
    TEscalera& first = *p.Escaleras().Object(0);
    EXPECT_EQ(first.UltimaPlantaConViviendas(), first.ListaPlantas().Object(1));
    EXPECT_EQ(p.Escaleras().Object(1)->UltimaPlantaConViviendas(), nullptr);
}

TEST_F(Project, ShortFlatsTableGivesEmptyFloors) {
    BuildingShape shape;
    shape.stairs = 2;
    shape.floors = 3;
    shape.flats = {{2}}; // one row, one column: only the top floor of the last stair
    Tproyecto& p = Build(shape);
    EXPECT_EQ(p.ListaViviendas().Count(), 2u);
    EXPECT_EQ(p.Escaleras().Object(1)->ListaPlantas().Object(2)->LViviendas().Count(), 2u);
}

TEST_F(Project, FreeingAFlatTakesItOffItsFloor) {
    BuildingShape shape;
    shape.flatsPerFloor = 2;
    Tproyecto& p = Build(shape);
    tplanta& floor = *p.Escaleras().Object(0)->ListaPlantas().Object(0);
    Tvivienda* flat = floor.LViviendas().Object(0);
    std::size_t before = p.Edificio().ComponentCount();
    TPrimerComponente::Destroy(flat);
    EXPECT_EQ(floor.LViviendas().Count(), 1u);
    EXPECT_EQ(p.Edificio().ComponentCount(), before - 1);
}

TEST_F(Project, FreeingAFloorFreesItsFlatsAndElements) {
    BuildingShape shape;
    shape.floors = 2;
    shape.flatsPerFloor = 3;
    Tproyecto& p = Build(shape);
    TEscalera& stair = *p.Escaleras().Object(0);
    tplanta* floor = stair.ListaPlantas().Object(0);
    auto* splitter = TPrimerComponente::Create<TRepartidor>(&p.RedTV());
    floor->AgregarElemento(splitter);
    EXPECT_EQ(splitter->Container(), floor);
    std::string name = floor->Name();
    TPrimerComponente::Destroy(floor);
    EXPECT_EQ(stair.ListaPlantas().Count(), 2u); // the upper floor and the headend floor
    EXPECT_EQ(stair.ListaPlantas().IndexOf(name), -1);
    EXPECT_EQ(p.RedTV().ComponentCount(), 0u);
    EXPECT_EQ(p.ListaViviendas().Count(), 3u);
}

TEST_F(Project, FreedFloorElementLeavesTheFloorList) {
    Tproyecto& p = Build(BuildingShape{});
    tplanta& floor = *p.Escaleras().Object(0)->ListaPlantas().Object(0);
    auto* a = TPrimerComponente::Create<TRepartidor>(&p.RedTV());
    auto* b = TPrimerComponente::Create<TRepartidor>(&p.RedTV());
    floor.AgregarElemento(a);
    floor.AgregarElemento(b);
    TPrimerComponente::Destroy(a);
    ASSERT_EQ(floor.ETV().Count(), 1u);
    EXPECT_EQ(floor.ETV().Object(0), b);
}

TEST_F(Project, FreeingAStairFreesItsFloors) {
    BuildingShape shape;
    shape.stairs = 2;
    shape.floors = 3;
    Tproyecto& p = Build(shape);
    TPrimerComponente::Destroy(p.Escaleras().Object(0));
    ASSERT_EQ(p.Escaleras().Count(), 1u);
    EXPECT_EQ(p.Edificio().ComponentCount(), 1u + 3u + 3u);
    EXPECT_EQ(p.PlantaCabecera(), nullptr);
}

TEST_F(Project, ProjectWithFloorElementsIsFreedCleanly) {
    BuildingShape shape;
    shape.stairs = 2;
    shape.floors = 2;
    Build(shape);
    for (const auto& stair : project->Escaleras()) {
        for (const auto& floor : stair.Object->ListaPlantas()) {
            floor.Object->AgregarElemento(TPrimerComponente::Create<TRepartidor>(&project->RedTV()));
        }
    }
    project.reset(); // the sanitizer build checks that nothing is touched after it is freed
}

TEST(ProjectClasses, RegisteredByName) {
    RegisterBuildingClasses();
    for (const char* name :
         {"Tproyecto", "TEscalera", "tplanta", "Tvivienda", "TpreferenciasProyecto", "Tlistaobjetonivel"}) {
        EXPECT_TRUE(ClassRegistry::Instance().IsComponentClass(name)) << name;
    }
    EXPECT_TRUE(ClassRegistry::Instance().IsObjectClass("TObjetonivel"));
    // A flat made outside a project (as the reader first makes it) has no entry element.
    auto owner = TPrimerComponente::CreateRoot<TPadreTV>();
    auto* flat = static_cast<Tvivienda*>(ClassRegistry::Instance().CreateComponent("Tvivienda", owner.get()));
    EXPECT_EQ(flat->Entrada(), nullptr);
    EXPECT_NE(flat->Contenedor(), nullptr);
    EXPECT_FALSE(flat->Reconstruible);
}

TEST(ProjectClasses, AFlatReadWithoutContainerOrEntryGetsThemWhenItsReadingEnds) {
    RegisterBuildingClasses();
    auto project = TPrimerComponente::CreateRoot<Tproyecto>();
    project->SetAlmacen(&test::DemoStore());
    auto* flat = static_cast<Tvivienda*>(
        ClassRegistry::Instance().CreateStoredComponent("Tvivienda", &project->Edificio(), "viviendaEd1"));
    ASSERT_NE(flat, nullptr);
    EXPECT_EQ(flat->Name(), "viviendaEd1");
    // While read, the stored records are to bring them: nothing is made from the catalogue.
    EXPECT_EQ(flat->Contenedor(), nullptr);
    EXPECT_EQ(flat->Entrada(), nullptr);
    EXPECT_EQ(flat->ComponentCount(), 0u);
    flat->Loaded(); // a damaged record brought neither
    ASSERT_NE(flat->Contenedor(), nullptr);
    ASSERT_NE(flat->Entrada(), nullptr);
    EXPECT_EQ(flat->Entrada()->Owner(), flat->Contenedor());
}

TEST(ProjectClasses, AFlatReadWithItsContainerKeepsIt) {
    RegisterBuildingClasses();
    auto project = TPrimerComponente::CreateRoot<Tproyecto>();
    project->SetAlmacen(&test::DemoStore());
    ClassRegistry& registry = ClassRegistry::Instance();
    auto* flat = static_cast<Tvivienda*>(
        registry.CreateStoredComponent("Tvivienda", &project->Edificio(), "viviendaEd1"));
    TPrimerComponente* container = registry.CreateStoredComponent("TPadreTV", flat, "PadreTVvi1");
    flat->Loaded();
    EXPECT_EQ(flat->Contenedor(), container);
    EXPECT_EQ(flat->ComponentCount(), 1u); // no second container
    ASSERT_NE(flat->Entrada(), nullptr);   // the record had no entry: the default one, in the container
    EXPECT_EQ(flat->Entrada()->Owner(), container);
}

} // namespace
} // namespace ixo
