#pragma once

// The element symbols: one class per kind of element, each with its design size, pins, texts and body.
#include "schematic/symbol.h"

namespace ixo {

// Splitter: rounded box, input on top, outputs by the number of outputs (2, 3, 4, 5, 6 or 8).
class TgrafRepartidor : public TbasegrafMSconpines {
public:
    explicit TgrafRepartidor(TPrimerComponente* element);
    void ResetSize() override;
    void Draw(Canvas& canvas) override;

protected:
    void CreatePins() override;
    void CreateTexts() override;
};

// Outlet: pale rounded box with two or three sockets; red while selected.
class TgrafToma : public TbasegrafMSconpines {
public:
    explicit TgrafToma(TPrimerComponente* element);
    void ResetSize() override;
    void Draw(Canvas& canvas) override;
    // Drawn in this fill instead of the pale cream (outlets out of limits); 0 keeps the cream.
    Colour ErrorFill = 0;

protected:
    void CreatePins() override;
    void CreateTexts() override;
};

// Multiswitch: box with inputs on top, outputs below and taps on the left and right edges.
class TgrafMS : public Tgrafdin {
public:
    explicit TgrafMS(TPrimerComponente* element);
    void ResetSize() override;
    void Draw(Canvas& canvas) override;

protected:
    void CreatePins() override;
    void CreateTexts() override;
};

// DiSEqC switch: small box, inputs on the left, outputs on the right.
class TgrafDisecQ : public Tgrafdin {
public:
    explicit TgrafDisecQ(TPrimerComponente* element);
    void ResetSize() override;
    void Draw(Canvas& canvas) override;

protected:
    void CreatePins() override;
    void CreateTexts() override;
};

class TgrafIFT : public Tgrafdin {
public:
    explicit TgrafIFT(TPrimerComponente* element);
    void ResetSize() override;
    void Draw(Canvas& canvas) override;

protected:
    void CreatePins() override;
    void CreateTexts() override;
};

// Headend amplifier: box with a large white triangle and pin arrows.
class TgrafAmpliheader : public Tgrafdin {
public:
    explicit TgrafAmpliheader(TPrimerComponente* element);
    void ResetSize() override;
    void Draw(Canvas& canvas) override;

protected:
    void CreatePins() override;
    void CreateTexts() override;
    virtual std::int32_t DesignHalfHeight() const { return 127; }
    virtual std::int32_t DesignHalfWidth() const;
};

class TGrafampLin : public TgrafAmpliheader {
public:
    explicit TGrafampLin(TPrimerComponente* element);
    void Draw(Canvas& canvas) override;

protected:
    std::int32_t DesignHalfHeight() const override { return 85; }
};

// Amplifier inside a flat: turns with the flat's devices.
class TgrafAmpliInterior : public TgrafAmpliheader {
public:
    explicit TgrafAmpliInterior(TPrimerComponente* element);
    void Draw(Canvas& canvas) override;

protected:
    std::int32_t DesignHalfHeight() const override { return 85; }
    std::int32_t DesignHalfWidth() const override { return 85; }
};

// Terrestrial headend: amplifier box with a Yagi antenna drawn above it.
class TgrafCabeceraTerrestre : public TgrafAmpliheader {
public:
    explicit TgrafCabeceraTerrestre(TPrimerComponente* element);
    void Draw(Canvas& canvas) override;
    Rect GetBounds() const override;

protected:
    std::int32_t DesignHalfHeight() const override { return 85; }
    std::int32_t DesignHalfWidth() const override { return 85; }
};

// Dish with its LNB, drawn entirely by itself; outputs along the LNB's lower edge.
class TgrafParabola : public TbasegrafMSconpines {
public:
    explicit TgrafParabola(TPrimerComponente* element);
    void ResetSize() override;
    void Draw(Canvas& canvas) override;

protected:
    void CreatePins() override;
};

// Power supply: rounded box without pins.
class TgrafFuente : public TbasegrafMSconpines {
public:
    explicit TgrafFuente(TPrimerComponente* element);
    void ResetSize() override;
    void Draw(Canvas& canvas) override;

protected:
    void CreateTexts() override;
};

// Power injector: small box with a black triangle at its input.
class TGrafInyector : public TbasegrafMSconpines {
public:
    explicit TGrafInyector(TPrimerComponente* element);
    void ResetSize() override;
    void Draw(Canvas& canvas) override;

protected:
    void CreatePins() override;
    void CreateTexts() override;
};

// Exchanges the element-pin links of input pins 1 and 2 of a DiSEqC symbol (input 3 instead of 2 when it
// has three or more inputs).
void SwapDiseqcInputs(TbasegrafMSconpines& symbol);

// The reference of a multiswitch or amplifier with its partners' references: "M3 / M4 / M5".
std::string ReferenceWithPartners(const TPrimerComponente* element);

} // namespace ixo
