#include "schematic/layout.h"

#include "schematic/label_placement.h"
#include "schematic/layout_steps.h"
#include "schematic/wire_separation.h"

namespace ixo {

namespace schematic_layout {

// ---------------------------------------------------------------------------------------------- objects

Tgraflinea* SchematicLayout::AddWire(Tgrafplantas& floor, std::vector<TBaseGrafMS*>* group,
                                     Tpinesgraf* source, Tpinesgraf* target, std::vector<Point> points,
                                     bool inFlat) {
    auto wire = MakeGraphic<Tgraflinea>(target->ElementPin(), source->ElementPin(), target, source,
                                        std::move(points));
    Tgraflinea* raw = m_schematic.Adopt(std::move(wire));
    // A wire inside a flat belongs to the flat's space only: the floor moves its spaces with it.
    if (group == nullptr || !inFlat) {
        floor.Symbols.push_back(raw);
    }
    if (group != nullptr) {
        group->push_back(raw);
    }
    return raw;
}

Tgraflinea* SchematicLayout::AddLine(Tgrafplantas& floor, std::vector<TBaseGrafMS*>* group,
                                     std::vector<Point> points) {
    auto wire = MakeGraphic<Tgraflinea>(nullptr, nullptr, nullptr, nullptr, std::move(points));
    Tgraflinea* raw = m_schematic.Adopt(std::move(wire));
    raw->SetShowLabel(false);
    floor.Symbols.push_back(raw);
    if (group != nullptr) {
        group->push_back(raw);
    }
    return raw;
}

} // namespace schematic_layout

bool BuildSchematic(Tproyecto& project, TpadreGraficosMS& schematic, Progress& progress) {
    progress.SetCaption("Draw the graphics");
    progress.SetMaximum(5);
    schematic.Clear();
    schematic.Show(&project);
    schematic_layout::SchematicLayout layout(project, schematic);
    auto step = [&]() {
        progress.Step();
        if (progress.CancelRequested()) {
            schematic.Clear();
            return false;
        }
        return true;
    };
    layout.Create();
    if (!step()) {
        return false;
    }
    layout.PlaceFloorsAndStairs();
    if (!step()) {
        return false;
    }
    layout.RiserTrunks();
    if (!step()) {
        return false;
    }
    layout.Feeds();
    if (!step()) {
        return false;
    }
    SeparateWires(schematic);
    PlaceLabels(schematic);
    schematic.ComputeExtent();
    schematic.GrowExtent(200, 200);
    schematic.BuildSpatialIndex();
    progress.Step();
    return true;
}

} // namespace ixo
