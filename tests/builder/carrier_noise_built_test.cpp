#include "levels/carrier_noise.h"

#include "builder/builder_test_support.h"
#include "builder/instalacion.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "levels/polaridad_vivienda.h"
#include "model/especial.h"
#include "model/pin.h"
#include "model/toma_tv.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ixo {
namespace {

// A built installation of 8 polarities (two satellites: DiSEqC switches in front of the flats) and
// cascade outlets. The measurement keeps the sums of the shared network between flats; every outlet's
// C/N at every polarity must equal a walk from scratch with that polarity selected.
class BuiltInstallation : public test::BuilderFixture {};

TEST_F(BuiltInstallation, KeptSumsEqualWalksFromScratch) {
    test::BuildingShape shape;
    shape.stairs = 2;
    shape.floors = 3;
    shape.flatsPerFloor = 2;
    shape.outlets = 3;
    shape.topology = 1;
    shape.polarities = 8;
    Build(shape);
    ASSERT_GT(ConstruirInstalacion(*project), 0);
    project->Quality().terrestrialAntennaLevel = 45.0;
    project->Quality().satelliteLnbCn = {15.0, 14.0, 13.0, 12.0};
    const std::vector<OutletQuality> rows = MeasureOutletQuality(*project);
    ASSERT_EQ(rows.size(), 2u * 3u * 2u * 3u);
    NoiseFigures figures;
    std::size_t checked = 0;
    for (const OutletQuality& row : rows) {
        ASSERT_EQ(row.polarities.size(), 8u);
        ASSERT_EQ(row.cnByPolarity.size(), 8u);
        Tvivienda& flat = const_cast<Tvivienda&>(*row.Vivienda);
        TPin* entry = flat.Entrada()->PinesENTRADA().front();
        const std::int32_t own = entry->polaridad;
        for (std::size_t k = 0; k < row.polarities.size(); ++k) {
            SeleccionarPolaridad(*entry, row.polarities[k]);
            const LevelVector fresh =
                CarrierToNoiseAt(*row.Toma->PinesDERIVACION().front(), project->Quality(), figures);
            for (std::size_t band = 1; band < kBandCount; ++band) {
                EXPECT_NEAR(row.cnByPolarity[k][band], fresh[band], 1e-9) << band;
                ++checked;
            }
        }
        SeleccionarPolaridad(*entry, own);
        // Every band reaches its source: the terrestrial headend and the dishes.
        for (std::size_t band = 1; band < kBandCount; ++band) {
            EXPECT_FALSE(std::isinf(row.worstCn[band])) << band;
        }
        // The satellite C/N can never exceed the LNB's.
        EXPECT_LE(row.worstCn[7], 12.0 + 1e-9);
    }
    EXPECT_EQ(checked, rows.size() * 8u * 7u);
}

} // namespace
} // namespace ixo
