#include "schematic/schematic.h"

#include "model/pin.h"
#include "schematic/stacked_figure.h"
#include "schematic/symbol.h"
#include "schematic/wire.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <unordered_set>

namespace ixo {

IXO_DEFINE_COMPONENT_CLASS(TpadreGraficosMS, TPrimerComponente)

// A grid of buckets over design coordinates: each object is listed in every cell its widened bounds
// cover, so that a view of a few cells finds its objects without looking at the others.
struct TpadreGraficosMS::SpatialIndex {
    static constexpr std::int32_t kCell = 512;
    // Labels and text reach beyond an object's bounds; objects are indexed this much wider.
    static constexpr std::int32_t kMargin = 400;
    std::unordered_map<std::int64_t, std::vector<std::size_t>> cells;
    // The cells that hold objects lie within these; a view over all of them meets every object.
    std::int32_t minX = 0, maxX = -1, minY = 0, maxY = -1;
    std::size_t objectCount = 0;

    static std::int64_t Key(std::int32_t cx, std::int32_t cy) {
        return (static_cast<std::int64_t>(cx) << 32) ^ static_cast<std::uint32_t>(cy);
    }
    static std::int32_t CellOf(std::int32_t v) {
        return static_cast<std::int32_t>(std::floor(static_cast<double>(v) / kCell));
    }
};

TpadreGraficosMS::TpadreGraficosMS(TPrimerComponente* owner) : TPrimerComponente(owner) {}

TpadreGraficosMS::~TpadreGraficosMS() {
    Clear();
}

void TpadreGraficosMS::Show(TPrimerComponente* project) {
    if (m_shown != nullptr) {
        RemoveFreeNotification(m_shown);
    }
    m_shown = project;
    if (project != nullptr) {
        FreeNotification(project);
    }
}

void TpadreGraficosMS::Notification(TPrimerComponente* removed) {
    TPrimerComponente::Notification(removed);
    if (removed == m_shown) {
        m_shown = nullptr;
        Clear();
    }
}

void TpadreGraficosMS::AdoptObject(std::unique_ptr<TBaseGrafMS> object) {
    IndexGraphic(object.get());
    if (auto* figure = dynamic_cast<TgrafFigura*>(object.get()); figure != nullptr && figure->IsTriple()) {
        HasTriple = true;
    }
    m_objects.push_back(std::move(object));
    m_index.reset();
}

void TpadreGraficosMS::IndexGraphic(TBaseGrafMS* object) {
    if (auto* figure = dynamic_cast<TgrafFigura*>(object)) {
        for (std::size_t i = 0; i < figure->MemberCount(); ++i) {
            if (figure->Member(i)->Element() != nullptr) {
                m_graphicOf[figure->Member(i)->Element()] = object;
            }
        }
        return;
    }
    if (object->Element() != nullptr && dynamic_cast<Tgraflinea*>(object) == nullptr) {
        m_graphicOf[object->Element()] = object;
    }
}

void TpadreGraficosMS::Clear() {
    m_stairs.Clear();
    m_graphicOf.clear();
    m_index.reset();
    // Last to first: wires go before the symbols whose pins they connect.
    while (!m_objects.empty()) {
        m_objects.pop_back();
    }
    HasTriple = false;
}

Rect TpadreGraficosMS::ComputeExtent() {
    Rect r;
    for (const auto& object : m_objects) {
        r = Union(r, object->GetBounds());
    }
    m_extent = r;
    return r;
}

void TpadreGraficosMS::GrowExtent(std::int32_t dx, std::int32_t dy) {
    m_extent.right += dx;
    m_extent.bottom += dy;
}

TBaseGrafMS* TpadreGraficosMS::HitObject(const Rect& region) const {
    for (const auto& object : m_objects) {
        if (object->HitsRegion(region)) {
            return object.get();
        }
    }
    return nullptr;
}

TBaseGrafMS* TpadreGraficosMS::FindGraphicOf(const TPrimerComponente* obj) const {
    const auto found = m_graphicOf.find(obj);
    return found != m_graphicOf.end() ? found->second : nullptr;
}

Tpinesgraf* TpadreGraficosMS::GraphicPinOf(const TPin* pin) const {
    if (pin == nullptr) {
        return nullptr;
    }
    TBaseGrafMS* graphic = FindGraphicOf(pin->Owner());
    return graphic != nullptr ? graphic->FindPin(pin) : nullptr;
}

void TpadreGraficosMS::RescaleAll(double s) {
    for (const auto& object : m_objects) {
        object->Rescale(s);
    }
}

void TpadreGraficosMS::RefreshWireLabels() {
    for (const auto& object : m_objects) {
        if (auto* wire = dynamic_cast<Tgraflinea*>(object.get())) {
            wire->RefreshLabel();
        }
    }
}

void TpadreGraficosMS::BuildSpatialIndex() {
    auto index = std::make_unique<SpatialIndex>();
    for (std::size_t i = 0; i < m_objects.size(); ++i) {
        TBaseGrafMS& object = *m_objects[i];
        // Design bounds: the objects sit at scale 1 right after a layout; at another scale the bounds
        // are divided back.
        const double scale = object.Scale() > 0.0 ? object.Scale() : 1.0;
        Rect b = object.GetBounds();
        const std::int32_t dx = object.X() - object.BaseX();
        const std::int32_t dy = object.Y() - object.BaseY();
        if (dynamic_cast<Tgraflinea*>(&object) != nullptr) {
            const auto& base = static_cast<Tgraflinea&>(object).BasePoints();
            if (!base.empty()) {
                b = {base[0].x, base[0].y, base[0].x, base[0].y};
                for (const Point& p : base) {
                    b = {std::min(b.left, p.x), std::min(b.top, p.y), std::max(b.right, p.x),
                         std::max(b.bottom, p.y)};
                }
            }
        } else {
            b = {b.left - dx, b.top - dy, b.right - dx, b.bottom - dy};
        }
        auto design = [&](std::int32_t v) { return static_cast<std::int32_t>(std::floor(v / scale)); };
        const std::int32_t m = SpatialIndex::kMargin;
        const std::int32_t x0 = SpatialIndex::CellOf(design(b.left) - m);
        const std::int32_t x1 = SpatialIndex::CellOf(design(b.right) + m);
        const std::int32_t y0 = SpatialIndex::CellOf(design(b.top) - m);
        const std::int32_t y1 = SpatialIndex::CellOf(design(b.bottom) + m);
        for (std::int32_t cx = x0; cx <= x1; ++cx) {
            for (std::int32_t cy = y0; cy <= y1; ++cy) {
                index->cells[SpatialIndex::Key(cx, cy)].push_back(i);
            }
        }
        if (index->maxX < index->minX) {
            index->minX = x0;
            index->maxX = x1;
            index->minY = y0;
            index->maxY = y1;
        } else {
            index->minX = std::min(index->minX, x0);
            index->maxX = std::max(index->maxX, x1);
            index->minY = std::min(index->minY, y0);
            index->maxY = std::max(index->maxY, y1);
        }
    }
    index->objectCount = m_objects.size();
    m_index = std::move(index);
}

std::vector<std::size_t> TpadreGraficosMS::ObjectsMeeting(const Rect& designRect) const {
    std::vector<std::size_t> found;
    if (m_index == nullptr) {
        found.resize(m_objects.size());
        for (std::size_t i = 0; i < found.size(); ++i) {
            found[i] = i;
        }
        return found;
    }
    // Only cells that hold objects are looked at.
    const std::int32_t x0 = std::max(SpatialIndex::CellOf(designRect.left), m_index->minX);
    const std::int32_t x1 = std::min(SpatialIndex::CellOf(designRect.right), m_index->maxX);
    const std::int32_t y0 = std::max(SpatialIndex::CellOf(designRect.top), m_index->minY);
    const std::int32_t y1 = std::min(SpatialIndex::CellOf(designRect.bottom), m_index->maxY);
    if (x0 == m_index->minX && x1 == m_index->maxX && y0 == m_index->minY && y1 == m_index->maxY) {
        // A view of the whole schematic meets every object it indexes.
        found.resize(std::min(m_index->objectCount, m_objects.size()));
        for (std::size_t i = 0; i < found.size(); ++i) {
            found[i] = i;
        }
        return found;
    }
    // An object is listed in every cell it covers: one bit per object gathers each once, and reading the
    // bits in order gives creation order without sorting (a whole-sheet view meets every object many
    // times over).
    std::vector<std::uint64_t> seen((m_objects.size() + 63) / 64, 0);
    for (std::int32_t cx = x0; cx <= x1; ++cx) {
        for (std::int32_t cy = y0; cy <= y1; ++cy) {
            const auto cell = m_index->cells.find(SpatialIndex::Key(cx, cy));
            if (cell != m_index->cells.end()) {
                for (const std::size_t i : cell->second) {
                    if (i < m_objects.size()) {
                        seen[i >> 6] |= std::uint64_t{1} << (i & 63);
                    }
                }
            }
        }
    }
    for (std::size_t word = 0; word < seen.size(); ++word) {
        for (std::uint64_t bits = seen[word]; bits != 0; bits &= bits - 1) {
            found.push_back(word * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
        }
    }
    return found;
}

HitResult PinAt(TBaseGrafMS* symbol, const Rect& r) {
    auto search = [&](TbasegrafMSconpines* member) -> HitResult {
        for (const auto* list : {&member->InputPins(), &member->OutputPins(), &member->TapPins()}) {
            for (Tpinesgraf* pin : *list) {
                const Rect square{pin->X() - 1, pin->Y() - 1, pin->X() + 1, pin->Y() + 1};
                if (Intersects(square, r)) {
                    return {true, symbol, pin->ElementPin(), {pin->X(), pin->Y()}};
                }
            }
        }
        return {};
    };
    if (auto* figure = dynamic_cast<TgrafFigura*>(symbol)) {
        if (figure->IsTriple()) {
            return {};
        }
        for (std::size_t i = 0; i < figure->MemberCount(); ++i) {
            HitResult found = search(figure->Member(i));
            if (found.elementPin != nullptr || found.hit) {
                return found;
            }
        }
        return {};
    }
    if (auto* withPins = dynamic_cast<TbasegrafMSconpines*>(symbol)) {
        return search(withPins);
    }
    return {};
}

HitResult HitTest(const TpadreGraficosMS& schematic, std::int32_t x, std::int32_t y) {
    const Rect r{x - 2, y - 2, x + 2, y + 2};
    HitResult result;
    result.object = schematic.HitObject(r);
    result.hit = result.object != nullptr;
    if (result.hit) {
        const HitResult pin = PinAt(result.object, r);
        result.elementPin = pin.elementPin;
        result.pinPosition = pin.pinPosition;
    }
    return result;
}

bool TlistaObjSel::Select(TBaseGrafMS* object) {
    if (object == nullptr) {
        return false;
    }
    if (!m_items.empty()) {
        const TPrimerComponente* first = m_items.front()->Element();
        const TPrimerComponente* next = object->Element();
        const std::string_view firstClass = first != nullptr ? first->ClassName() : std::string_view();
        const std::string_view nextClass = next != nullptr ? next->ClassName() : std::string_view();
        if (firstClass != nextClass) {
            return false;
        }
    }
    m_items.push_back(object);
    object->Selected = true;
    return true;
}

void TlistaObjSel::ClearSelection() {
    for (TBaseGrafMS* object : m_items) {
        object->Selected = false;
    }
    m_items.clear();
}

} // namespace ixo
