#include "schematic/stacked_figure.h"

#include "model/cbft.h"
#include "model/pin.h"
#include "schematic/symbols.h"

namespace ixo {

TgrafFigura::TgrafFigura(TCBFT* mainElement, double spacing, int memberCount)
    : TBaseGrafMS(mainElement), m_spacing(spacing), m_memberCount(memberCount) {}

TgrafFigura::~TgrafFigura() = default;

void TgrafFigura::Initialise() {
    auto* main = static_cast<TCBFT*>(Element());
    m_members.push_back(MakeMember(main));
    if (main != nullptr && main->DoublePartner() != nullptr) {
        m_members.push_back(MakeMember(main->DoublePartner()));
        if (m_memberCount == 3 && main->TriplePartner() != nullptr) {
            m_members.push_back(MakeMember(main->TriplePartner()));
        }
    }
    const std::string prefix = m_memberCount == 3 ? "3 x " : "2 x ";
    Caption = Hint = prefix + (main != nullptr ? main->Modelo : std::string());
    TBaseGrafMS::SetRotatable(m_members.front()->Rotatable());
    TBaseGrafMS::Initialise();
}

Point TgrafFigura::MemberOffset(std::size_t i) const {
    // Members stack from the back member (offset 0) towards the main member.
    const std::size_t steps = BackMember() - i;
    const TbasegrafMSconpines* main = MainSym();
    return {RoundEven(main->HalfWidth() * m_spacing * 2.0 * static_cast<double>(steps)),
            RoundEven(main->HalfHeight() * m_spacing * 2.0 * static_cast<double>(steps))};
}

template <typename F> void TgrafFigura::ForEachPlaced(std::int32_t v, bool horizontal, F set) {
    for (std::size_t i = 0; i < m_members.size(); ++i) {
        const Point offset = MemberOffset(i);
        set(*m_members[i], v + (horizontal ? offset.x : offset.y));
    }
}

void TgrafFigura::SetBaseX(std::int32_t v) {
    TBaseGrafMS::SetBaseX(v);
    if (!m_members.empty()) {
        ForEachPlaced(v, true, [](TBaseGrafMS& m, std::int32_t x) { m.SetBaseX(x); });
    }
}
void TgrafFigura::SetBaseY(std::int32_t v) {
    TBaseGrafMS::SetBaseY(v);
    if (!m_members.empty()) {
        ForEachPlaced(v, false, [](TBaseGrafMS& m, std::int32_t y) { m.SetBaseY(y); });
    }
}
void TgrafFigura::SetX(std::int32_t v) {
    TBaseGrafMS::SetX(v);
    ForEachPlaced(v, true, [](TBaseGrafMS& m, std::int32_t x) { m.SetX(x); });
}
void TgrafFigura::SetY(std::int32_t v) {
    TBaseGrafMS::SetY(v);
    ForEachPlaced(v, false, [](TBaseGrafMS& m, std::int32_t y) { m.SetY(y); });
}
void TgrafFigura::SetRelX(std::int32_t v) {
    TBaseGrafMS::SetRelX(v);
    if (!m_members.empty()) {
        ForEachPlaced(v, true, [](TBaseGrafMS& m, std::int32_t x) { m.SetRelX(x); });
    }
}
void TgrafFigura::SetRelY(std::int32_t v) {
    TBaseGrafMS::SetRelY(v);
    if (!m_members.empty()) {
        ForEachPlaced(v, false, [](TBaseGrafMS& m, std::int32_t y) { m.SetRelY(y); });
    }
}

void TgrafFigura::SetRotatable(bool rotatable) {
    TBaseGrafMS::SetRotatable(rotatable);
    for (auto& member : m_members) {
        member->SetRotatable(rotatable);
    }
}

void TgrafFigura::SetScaleRaw(double s) {
    TBaseGrafMS::SetScaleRaw(s);
    for (auto& member : m_members) {
        member->SetScaleRaw(s);
    }
}

void TgrafFigura::SetOrientation(int o) {
    TBaseGrafMS::SetOrientation(o);
    for (auto& member : m_members) {
        member->SetOrientation(o);
    }
}

void TgrafFigura::ResetSize() {
    for (auto& member : m_members) {
        member->ResetSize();
    }
}

void TgrafFigura::Rescale(double s) {
    TBaseGrafMS::Rescale(s);
    for (auto& member : m_members) {
        member->Rescale(s);
    }
}

void TgrafFigura::MoveBy(std::int32_t dx, std::int32_t dy) {
    TBaseGrafMS::MoveBy(dx, dy);
    for (auto& member : m_members) {
        member->MoveBy(dx, dy);
    }
}

Rect TgrafFigura::GetBounds() const {
    Rect bounds;
    for (const auto& member : m_members) {
        bounds = Union(bounds, member->GetBounds());
    }
    return bounds;
}

bool TgrafFigura::HitsRegion(const Rect& region) const {
    for (const auto& member : m_members) {
        if (member->HitsRegion(region)) {
            return true;
        }
    }
    return false;
}

bool TgrafFigura::IsLinkedTo(const TPrimerComponente* object) const {
    for (const auto& member : m_members) {
        if (member->Element() == object) {
            return true;
        }
    }
    return false;
}

Tpinesgraf* TgrafFigura::FindPin(const TPin* elementPin) const {
    if (elementPin == nullptr) {
        return nullptr;
    }
    for (const auto& member : m_members) {
        if (member->Element() == elementPin->Owner()) {
            return member->FindPin(elementPin);
        }
    }
    return nullptr;
}

void TgrafFigura::DrawMember(Canvas& canvas, int which) {
    std::size_t index = 0;
    if (which == 1) {
        index = 1;
    } else if (which == 2 && IsTriple()) {
        index = 2;
    }
    if (index >= m_members.size()) {
        index = 0;
    }
    m_members[index]->Draw(canvas);
    Caption = m_members[index]->Caption;
}

TbasegrafMSconpines* TgrafFigura::MemberOfLayer(int layer) const {
    const std::size_t index = static_cast<std::size_t>(layer - 1);
    return index < m_members.size() ? m_members[index].get() : nullptr;
}

void TgrafFigura::Draw(Canvas& canvas) {
    // Back to front by LayerOrder: the last drawn is on top.
    if (!IsTriple()) {
        if (LayerOrder == 0) {
            DrawMember(canvas, 1);
            DrawMember(canvas, 0);
        } else {
            DrawMember(canvas, 0);
            DrawMember(canvas, 1);
        }
        return;
    }
    static constexpr int kOrders[3][3] = {{2, 1, 0}, {0, 2, 1}, {1, 0, 2}};
    const int row = LayerOrder == 0 ? 0 : (LayerOrder == 1 ? 1 : 2);
    for (int which : kOrders[row]) {
        DrawMember(canvas, which);
    }
}

std::unique_ptr<TbasegrafMSconpines> TgrafdobleMs::MakeMember(TCBFT* element) const {
    return MakeGraphic<TgrafMS>(element);
}
std::unique_ptr<TbasegrafMSconpines> TgrafTripleMs::MakeMember(TCBFT* element) const {
    return MakeGraphic<TgrafMS>(element);
}
std::unique_ptr<TbasegrafMSconpines> TgrafdobleFuente::MakeMember(TCBFT* element) const {
    return MakeGraphic<TgrafFuente>(element);
}
std::unique_ptr<TbasegrafMSconpines> TgrafTripleFuente::MakeMember(TCBFT* element) const {
    return MakeGraphic<TgrafFuente>(element);
}
std::unique_ptr<TbasegrafMSconpines> Tgrafdobleamplin::MakeMember(TCBFT* element) const {
    return MakeGraphic<TGrafampLin>(element);
}
std::unique_ptr<TbasegrafMSconpines> TgrafTripleamplin::MakeMember(TCBFT* element) const {
    return MakeGraphic<TGrafampLin>(element);
}

} // namespace ixo
