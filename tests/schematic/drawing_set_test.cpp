// Drawing sets planned for builder layouts: every text readable on paper, every floor drawn once, runs
// that never hide a floor drawn otherwise, and continuation marks that lead both ways.
#include "building/planta.h"
#include "building/proyecto.h"
#include "model/toma_tv.h"
#include "schematic/drawing_page.h"
#include "schematic/drawing_set.h"
#include "schematic/floor_runs.h"
#include "schematic/layout.h"
#include "schematic/layout_lists.h"
#include "schematic/recording_canvas.h"
#include "schematic/schematic.h"
#include "schematic/symbols.h"
#include "schematic_test_support.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace ixo::test {
namespace {

struct Laid {
    std::unique_ptr<Tproyecto> project;
    std::unique_ptr<TpadreGraficosMS> schematic = TPrimerComponente::CreateRoot<TpadreGraficosMS>();
};

Laid LayOut(const Building& building) {
    Laid laid;
    laid.project = BuildInstallation(building);
    EXPECT_TRUE(BuildSchematic(*laid.project, *laid.schematic, NoProgress()));
    return laid;
}

const Building kStar{.stairs = 2, .floors = 6, .flatsPerFloor = 4, .outlets = 4, .polarities = 16};
const Building kCascade{
    .stairs = 3, .floors = 10, .flatsPerFloor = 2, .outlets = 4, .polarities = 12, .flatDistribution = 1};
const Building kFromHeadend{
    .stairs = 1, .floors = 3, .flatsPerFloor = 3, .outlets = 2, .polarities = 8, .headendDistribution = 0};

// The smallest text painted on any page, in millimetres on paper (300 dpi pages).
double SmallestTextMm(Laid& laid, const DrawingSet& set, const DrawingSetOptions& options) {
    constexpr double dpi = 300.0;
    ScaleForPages(*laid.schematic, set, dpi);
    SheetContent content;
    content.texts = laid.project->Datosproyecto();
    double smallest = 1e9;
    for (const SheetPage& page : set.pages) {
        RecordingCanvas canvas;
        PaintDrawingPage(canvas, dpi, *laid.schematic, set, page, options, content);
        for (const DrawRecord& text : canvas.OfKind(DrawOp::Text)) {
            if (!text.text.empty()) {
                smallest = std::min(smallest, text.font.height / dpi * 25.4);
            }
        }
    }
    return smallest;
}

TEST(DrawingSetTest, EveryTextOfEveryPageIsAtLeastTheReadableHeightOnPaper) {
    for (const Building& building : {kStar, kCascade, kFromHeadend}) {
        Laid laid = LayOut(building);
        for (const bool upright : {false, true}) {
            DrawingSetOptions options;
            if (upright) {
                std::swap(options.paperWidthMm, options.paperHeightMm);
            }
            const DrawingSet set = PlanDrawingSet(*laid.project, *laid.schematic, options);
            ASSERT_GE(set.pages.size(), 2u);
            EXPECT_GE(SmallestTextMm(laid, set, options), kReadableTextMm);
            // Each band lies inside the drawing area, between the header and footer strips.
            for (const SheetPage& page : set.pages) {
                for (const SheetBand& band : page.bands) {
                    EXPECT_LE(band.design.Width(), set.drawingArea.Width()) << page.title;
                    EXPECT_GE(band.at.y, set.stripHeight);
                    EXPECT_LE(band.at.y + set.captionHeight + band.design.Height(),
                              set.drawingArea.bottom - set.stripHeight)
                        << page.title;
                }
            }
        }
    }
}

TEST(DrawingSetTest, TheSingleSheetOfABlockIsTooSmallToReadAndATinyRuleAcceptsIt) {
    Laid laid = LayOut(kStar);
    DrawingSetOptions options;
    EXPECT_FALSE(SingleSheetReadable(*laid.schematic, options));
    // The smallest text (18 units, the outlets' models and references) times the fit scale decides.
    const double fit = SingleSheetMmPerUnit(*laid.schematic, options);
    EXPECT_EQ(SmallestTextHeight(*laid.schematic), 18);
    options.readableTextMm = 18 * fit * 0.99;
    EXPECT_TRUE(SingleSheetReadable(*laid.schematic, options));
    options.readableTextMm = 18 * fit * 1.01;
    EXPECT_FALSE(SingleSheetReadable(*laid.schematic, options));
}

// The floors each stair's pages stand for, counted by level; a floor cut into parts or pieces counts
// on its first.
std::map<std::int32_t, std::map<std::int32_t, int>> FloorsDrawn(const DrawingSet& set) {
    std::map<std::int32_t, std::map<std::int32_t, int>> drawn;
    for (const SheetPage& page : set.pages) {
        for (const SheetBand& band : page.bands) {
            if (page.part == 0 && band.piece == 0) {
                for (std::int32_t level : band.floors) {
                    ++drawn[page.stair][level];
                }
            }
        }
    }
    return drawn;
}

TEST(DrawingSetTest, NarrowPartsOfAStairShareAPageSideBySideWithinThePageAndApart) {
    Laid laid = LayOut(kStar);
    const DrawingSet set = PlanDrawingSet(*laid.project, *laid.schematic, DrawingSetOptions{});
    std::size_t shared = 0;
    for (const SheetPage& page : set.pages) {
        std::vector<Rect> placed;
        for (const SheetBand& band : page.bands) {
            // The band on the page with its caption strip, in page design units.
            const Rect r{band.at.x, band.at.y, band.at.x + band.design.Width(),
                         band.at.y + set.captionHeight + band.design.Height()};
            EXPECT_GE(r.left, set.drawingArea.left) << "page " << page.number;
            EXPECT_LE(r.right, set.drawingArea.right) << "page " << page.number;
            EXPECT_LE(r.bottom, set.drawingArea.bottom - set.stripHeight) << "page " << page.number;
            // Its caption line fits before the next column.
            const double captionUnits = BandCaptionWidthMm(band.caption, band.notes) / set.mmPerUnit;
            for (const Rect& other : placed) {
                EXPECT_FALSE(Intersects(r, other)) << "page " << page.number << ": " << band.caption;
                if (other.left > r.left && other.top < r.bottom && r.top < other.bottom) {
                    EXPECT_LE(r.left + captionUnits, other.left) << band.caption;
                }
            }
            placed.push_back(r);
        }
        const bool sideBySide = std::any_of(page.bands.begin(), page.bands.end(),
                                            [](const SheetBand& band) { return band.at.x > 0; });
        shared += sideBySide ? 1 : 0;
        if (sideBySide) {
            EXPECT_GE(page.stair, 0) << "the headend's pages keep one column";
        }
    }
    EXPECT_GT(shared, 0u) << "the right-hand parts of the stairs share pages";
}

TEST(DrawingSetTest, EveryFloorOfEveryStairIsDrawnOnceCondensedOrNot) {
    Laid laid = LayOut(kCascade);
    for (const bool everyFloor : {false, true}) {
        DrawingSetOptions options;
        options.everyFloor = everyFloor;
        const DrawingSet set = PlanDrawingSet(*laid.project, *laid.schematic, options);
        const auto drawn = FloorsDrawn(set);
        for (std::int32_t stair = 0; stair < kCascade.stairs; ++stair) {
            ASSERT_TRUE(drawn.contains(stair));
            ASSERT_EQ(drawn.at(stair).size(), static_cast<std::size_t>(kCascade.floors)) << stair;
            for (const auto& [level, times] : drawn.at(stair)) {
                EXPECT_EQ(times, 1) << "stair " << stair << " floor " << level;
            }
        }
        for (const SheetPage& page : set.pages) {
            for (const SheetBand& band : page.bands) {
                if (everyFloor) {
                    EXPECT_LE(band.floors.size(), 1u) << band.caption;
                }
                EXPECT_EQ(band.floorCount,
                          static_cast<std::int32_t>(std::max<std::size_t>(1, band.floors.size())));
            }
        }
    }
}

TEST(DrawingSetTest, MarksLeadToPagesThatLeadBack) {
    Laid laid = LayOut(kStar);
    DrawingSetOptions options;
    const DrawingSet set = PlanDrawingSet(*laid.project, *laid.schematic, options);
    const auto opposite = [](PageEdge edge) {
        switch (edge) {
        case PageEdge::Top:
            return PageEdge::Bottom;
        case PageEdge::Bottom:
            return PageEdge::Top;
        case PageEdge::Left:
            return PageEdge::Right;
        case PageEdge::Right:
            return PageEdge::Left;
        }
        return PageEdge::Top;
    };
    std::set<std::int32_t> stairsNamed;
    for (const SheetPage& page : set.pages) {
        EXPECT_EQ(page.number, static_cast<std::int32_t>(&page - set.pages.data()) + 1);
        for (const ContinuationMark& mark : page.marks) {
            ASSERT_GE(mark.page, 1);
            ASSERT_LE(mark.page, static_cast<std::int32_t>(set.pages.size()));
            EXPECT_NE(mark.text.find("page " + std::to_string(mark.page)), std::string::npos) << mark.text;
            const SheetPage& other = set.pages[static_cast<std::size_t>(mark.page - 1)];
            if (page.stair < 0 && other.stair >= 0) {
                stairsNamed.insert(other.stair); // the headend names where each stair begins
                continue;
            }
            if (page.stair >= 0 && other.stair < 0) {
                continue; // a stair's first page names the headend page its trunks come from
            }
            const bool back =
                std::any_of(other.marks.begin(), other.marks.end(), [&](const ContinuationMark& m) {
                    return m.page == page.number && m.edge == opposite(mark.edge);
                });
            EXPECT_TRUE(back) << "page " << page.number << " -> " << mark.page;
        }
    }
    EXPECT_EQ(stairsNamed.size(), static_cast<std::size_t>(kStar.stairs));
    ASSERT_FALSE(set.pages.empty());
    EXPECT_EQ(set.pages.front().title.rfind("HEADEND", 0), 0u);
    EXPECT_EQ(set.keyPlan.size(), static_cast<std::size_t>(kStar.stairs) + 1);
}

TEST(DrawingSetTest, APageNumberAndTheKeyPlanAreOnEveryPage) {
    Laid laid = LayOut(kFromHeadend);
    DrawingSetOptions options;
    const DrawingSet set = PlanDrawingSet(*laid.project, *laid.schematic, options);
    ScaleForPages(*laid.schematic, set, 150.0);
    SheetContent content;
    for (const SheetPage& page : set.pages) {
        RecordingCanvas canvas;
        PaintDrawingPage(canvas, 150.0, *laid.schematic, set, page, options, content);
        const std::string number = std::to_string(page.number) + " / " + std::to_string(set.pages.size());
        EXPECT_EQ(canvas.Texts(number).size(), 1u) << number;
        EXPECT_EQ(canvas.Texts("H").size(), 1u);
        EXPECT_EQ(canvas.Texts("1").size(), 1u);
        EXPECT_GE(canvas.Texts(page.title).size(), 1u); // the header, and the caption of a lone band
    }
}

// Levels of the floors of a stair's runs.
std::vector<std::vector<std::int32_t>> RunLevels(const std::vector<FloorRun>& runs) {
    std::vector<std::vector<std::int32_t>> levels;
    for (const FloorRun& run : runs) {
        levels.emplace_back();
        for (const Tgrafplantas* floor : run.floors) {
            levels.back().push_back(floor->Nivel);
        }
    }
    return levels;
}

TEST(FloorRunsTest, FloorsDrawnAlikeShareARunAndAFloorFailingOtherwiseLeavesIt) {
    Laid laid = LayOut({.stairs = 1, .floors = 8, .flatsPerFloor = 2, .outlets = 2, .polarities = 4});
    const TgrafEscalera& stair = *laid.schematic->Stairs().Stairs.front();
    OutletStates passing; // every outlet passes
    const auto runs = FloorRuns(stair, passing, false);
    std::size_t floors = 0;
    for (const FloorRun& run : runs) {
        floors += run.floors.size();
        for (const Tgrafplantas* floor : run.floors) {
            EXPECT_EQ(FloorSignature(*floor, passing), FloorSignature(*run.floors.front(), passing));
        }
    }
    EXPECT_EQ(floors, 8u);
    ASSERT_LT(runs.size(), 8u) << "some floors are drawn alike";
    // The run with most floors: one of its middle floors gets a failing outlet.
    const FloorRun* widest = &runs.front();
    for (const FloorRun& run : runs) {
        widest = run.floors.size() > widest->floors.size() ? &run : widest;
    }
    ASSERT_GE(widest->floors.size(), 2u);
    const Tgrafplantas* failing = widest->floors[1];
    OutletStates states;
    for (const auto& space : failing->FlatSpaces) {
        for (const TBaseGrafMS* object : space->Objects) {
            if (dynamic_cast<const TgrafToma*>(object) != nullptr && states.empty()) {
                states[static_cast<const TTomaTV*>(object->Element())] = 2; // below the minimum
            }
        }
    }
    ASSERT_EQ(states.size(), 1u);
    const auto broken = FloorRuns(stair, states, false);
    EXPECT_EQ(broken.size(), runs.size() + 1);
    for (const auto& levels : RunLevels(broken)) {
        if (std::find(levels.begin(), levels.end(), failing->Nivel) != levels.end()) {
            EXPECT_EQ(levels.size(), 1u) << "the failing floor is drawn on its own";
        }
    }
    EXPECT_EQ(FloorRuns(stair, passing, true).size(), 8u);
}

TEST(FloorRunsTest, CaptionsNameTheFloorsAndTheirCount) {
    std::vector<std::unique_ptr<Tgrafplantas>> floors;
    auto run = [&](std::initializer_list<std::int32_t> levels) {
        FloorRun r;
        for (std::int32_t level : levels) {
            floors.push_back(std::make_unique<Tgrafplantas>());
            floors.back()->Nivel = level;
            r.floors.push_back(floors.back().get());
        }
        return r;
    };
    EXPECT_EQ(RunCaption(run({7})), "FLOOR 7");
    FloorRun block;
    for (std::int32_t level = 38; level >= 3; --level) {
        floors.push_back(std::make_unique<Tgrafplantas>());
        floors.back()->Nivel = level;
        block.floors.push_back(floors.back().get());
    }
    EXPECT_EQ(RunCaption(block), "FLOOR 3 to FLOOR 38 (\xD7"
                                 "36)");
    EXPECT_EQ(RunCaption(run({23, 14, 5})), "FLOOR 5, 14, 23 (\xD7"
                                            "3)");
    // The shorter of the ranges listed and the span less its gaps.
    EXPECT_EQ(RunCaption(run({10, 9, 8, 7, 6, 4, 3, 2, 1})), "FLOOR 1 to 4, 6 to 10 (\xD7"
                                                             "9)");
    FloorRun tower;
    for (std::int32_t level = 40; level >= 1; --level) {
        if (level % 9 != 5) {
            floors.push_back(std::make_unique<Tgrafplantas>());
            floors.back()->Nivel = level;
            tower.floors.push_back(floors.back().get());
        }
    }
    EXPECT_EQ(RunCaption(tower), "FLOOR 1 to FLOOR 40 but 5, 14, 23, 32 (\xD7"
                                 "36)");
    FloorRun levels = run({2, 1});
    levels.hasLevels = true;
    levels.lowestTerrestrial = 58.04;
    levels.highestTerrestrial = 63.0;
    levels.lowestSatellite = 60.26;
    levels.highestSatellite = 60.26;
    EXPECT_EQ(RunLevelNote(levels), "Outlets: TV 58.0 to 63.0 dB\xB5V, SAT 60.3 dB\xB5V");
    // Outlets out of limits are counted, and a level with no usable signal is not written as a figure.
    levels.outlets = 8;
    levels.failing = 3;
    levels.lowestSatellite = -302.7;
    EXPECT_EQ(RunLevelNote(levels),
              "Outlets: TV 58.0 to 63.0 dB\xB5V, SAT < 0.0 to 60.3 dB\xB5V; 3 of 8 out of limits");
    levels.highestSatellite = -12.0;
    EXPECT_EQ(RunLevelNote(levels),
              "Outlets: TV 58.0 to 63.0 dB\xB5V, SAT < 0.0 dB\xB5V; 3 of 8 out of limits");
}

// The outlets of a floor in drawing order with their check results.
std::vector<std::uint16_t> OutletResults(const Tgrafplantas& floor, const OutletStates& states) {
    std::vector<std::uint16_t> results;
    for (const auto& space : floor.FlatSpaces) {
        for (const TBaseGrafMS* object : space->Objects) {
            if (dynamic_cast<const TgrafToma*>(object) != nullptr) {
                const auto found = states.find(static_cast<const TTomaTV*>(object->Element()));
                results.push_back(found != states.end() ? found->second : 0);
            }
        }
    }
    return results;
}

TEST(FloorRunsTest, OnAFailingDesignEveryFloorOfARunFailsAtTheOutletsItsDrawnFloorShows) {
    // The README's cascade block fails at most of its outlets, differently from floor to floor.
    Laid laid = LayOut(kCascade);
    const OutletStates states = OutletStatesOf(*laid.project);
    ASSERT_FALSE(states.empty()) << "the design fails";
    std::size_t failingInStairs = 0;
    std::size_t failingInRuns = 0;
    bool condensedFailing = false;
    for (const auto& stair : laid.schematic->Stairs().Stairs) {
        for (const FloorRun& run : FloorRuns(*stair, states, false)) {
            const auto drawn = OutletResults(*run.floors.front(), states);
            std::size_t failing = 0;
            for (const Tgrafplantas* floor : run.floors) {
                const auto results = OutletResults(*floor, states);
                EXPECT_EQ(results, drawn) << RunCaption(run) << ": FLOOR " << floor->Nivel
                                          << " fails at outlets its drawn floor does not show";
                failing += static_cast<std::size_t>(
                    std::count_if(results.begin(), results.end(), [](std::uint16_t r) { return r != 0; }));
            }
            EXPECT_EQ(run.failing, failing) << RunCaption(run);
            failingInRuns += run.failing;
            if (run.failing > 0) {
                EXPECT_NE(RunLevelNote(run).find(std::to_string(run.failing) + " of " +
                                                 std::to_string(run.outlets) + " out of limits"),
                          std::string::npos)
                    << RunLevelNote(run);
                condensedFailing = condensedFailing || run.floors.size() > 1;
            }
        }
        for (const auto& floor : stair->Floors) {
            const auto results = OutletResults(*floor, states);
            failingInStairs += static_cast<std::size_t>(
                std::count_if(results.begin(), results.end(), [](std::uint16_t r) { return r != 0; }));
        }
    }
    EXPECT_EQ(failingInRuns, failingInStairs) << "every failing outlet is in some run's count";
    EXPECT_EQ(failingInStairs, states.size());
    EXPECT_TRUE(condensedFailing) << "floors failing alike are still condensed";
}

} // namespace
} // namespace ixo::test
