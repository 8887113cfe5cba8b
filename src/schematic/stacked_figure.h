#pragma once

// Two or three elements of one model used side by side as one device, drawn as stacked copies of the
// same symbol: the back member at the figure's position, each further member shifted down and right by
// the figure's spacing times the main member's size. Member 0 is the main element's symbol, 1 the
// double partner's, 2 the triple partner's.
#include "schematic/symbol.h"

#include <memory>
#include <vector>

namespace ixo {

class TCBFT;

class TgrafFigura : public TBaseGrafMS {
public:
    // The members' order of drawing by LayerOrder, back to front.
    TgrafFigura(TCBFT* mainElement, double spacing, int memberCount);
    ~TgrafFigura() override;

    void Initialise() override;

    std::int32_t LayerOrder = 0;
    double Spacing() const { return m_spacing; }
    std::size_t MemberCount() const { return m_members.size(); }
    // Member 0 main, 1 second (the double partner), 2 third (the triple partner).
    TbasegrafMSconpines* Member(std::size_t i) const { return m_members[i].get(); }
    TbasegrafMSconpines* MainSym() const { return Member(0); }
    bool IsTriple() const { return m_members.size() == 3; }

    void SetBaseX(std::int32_t v) override;
    void SetBaseY(std::int32_t v) override;
    void SetX(std::int32_t v) override;
    void SetY(std::int32_t v) override;
    void SetRelX(std::int32_t v) override;
    void SetRelY(std::int32_t v) override;
    void SetRotatable(bool rotatable) override;
    void SetScaleRaw(double s) override;
    void SetOrientation(int o) override;
    void ResetSize() override;
    void Rescale(double s) override;
    void MoveBy(std::int32_t dx, std::int32_t dy) override;
    Rect GetBounds() const override;
    bool HitsRegion(const Rect& region) const override;
    bool IsLinkedTo(const TPrimerComponente* object) const override;
    Tpinesgraf* FindPin(const TPin* elementPin) const override;
    void Draw(Canvas& canvas) override;
    // Draws one member: double 1 the partner, otherwise the main member; triple 2 the third, 1 the
    // second, otherwise the main member. The member's Caption becomes the figure's.
    void DrawMember(Canvas& canvas, int which);
    // The member that paints in layer pass `layer` (3, 2, 1) of a schematic with triple figures.
    TbasegrafMSconpines* MemberOfLayer(int layer) const;

protected:
    virtual std::unique_ptr<TbasegrafMSconpines> MakeMember(TCBFT* element) const = 0;

private:
    // Offset of member i from the back member, from the main member's current half extents.
    Point MemberOffset(std::size_t i) const;
    // The member placed at the figure's own position (the partner of a double, the third of a triple).
    std::size_t BackMember() const { return m_members.size() - 1; }
    template <typename F> void ForEachPlaced(std::int32_t v, bool horizontal, F set);

    double m_spacing;
    int m_memberCount;
    std::vector<std::unique_ptr<TbasegrafMSconpines>> m_members;
};

// Factory classes of the figures (member class and spacing).
class TgrafdobleMs : public TgrafFigura {
public:
    explicit TgrafdobleMs(TCBFT* main) : TgrafFigura(main, 0.04, 2) {}

protected:
    std::unique_ptr<TbasegrafMSconpines> MakeMember(TCBFT* element) const override;
};
class TgrafTripleMs : public TgrafFigura {
public:
    explicit TgrafTripleMs(TCBFT* main) : TgrafFigura(main, 0.04, 3) {}

protected:
    std::unique_ptr<TbasegrafMSconpines> MakeMember(TCBFT* element) const override;
};
class TgrafdobleFuente : public TgrafFigura {
public:
    explicit TgrafdobleFuente(TCBFT* main) : TgrafFigura(main, 0.08, 2) {}

protected:
    std::unique_ptr<TbasegrafMSconpines> MakeMember(TCBFT* element) const override;
};
class TgrafTripleFuente : public TgrafFigura {
public:
    explicit TgrafTripleFuente(TCBFT* main) : TgrafFigura(main, 0.08, 3) {}

protected:
    std::unique_ptr<TbasegrafMSconpines> MakeMember(TCBFT* element) const override;
};
class Tgrafdobleamplin : public TgrafFigura {
public:
    explicit Tgrafdobleamplin(TCBFT* main) : TgrafFigura(main, 0.04, 2) {}

protected:
    std::unique_ptr<TbasegrafMSconpines> MakeMember(TCBFT* element) const override;
};
class TgrafTripleamplin : public TgrafFigura {
public:
    explicit TgrafTripleamplin(TCBFT* main) : TgrafFigura(main, 0.08, 3) {}

protected:
    std::unique_ptr<TbasegrafMSconpines> MakeMember(TCBFT* element) const override;
};

} // namespace ixo
