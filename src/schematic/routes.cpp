#include "schematic/routes.h"

#include "model/cbft.h"
#include "model/componente_base.h"
#include "model/pin.h"

namespace ixo {

std::vector<Point> ZByX(Point a, Point b) {
    const std::int32_t x = a.x + (b.x - a.x) / 2;
    return {a, {x, a.y}, {x, b.y}, b};
}

std::vector<Point> ZByY(Point a, Point b) {
    const std::int32_t y = a.y + (b.y - a.y) / 2;
    return {a, {a.x, y}, {b.x, y}, b};
}

int PinCountOf(const TPin* pin) {
    if (pin == nullptr || pin->Owner() == nullptr || !pin->Owner()->Is<TComponenteBase>()) {
        return 0;
    }
    const auto* element = static_cast<const TComponenteBase*>(pin->Owner());
    return static_cast<int>(element->PinsOf(pin->Kind()).size());
}

int BundleFactor(const TComponenteBase* element) {
    if (element == nullptr || !element->Is<TCBFT>()) {
        return 1;
    }
    const auto* cbft = static_cast<const TCBFT*>(element);
    if (cbft->TriplePartner() != nullptr) {
        return 3;
    }
    return cbft->DoublePartner() != nullptr ? 2 : 1;
}

std::vector<Point> RiserToFlatRoute(Point source, Point target, int a) {
    std::int32_t x = 0;
    if (a != 0) {
        x = source.x < target.x ? target.x - (a + 40) : target.x + (a + 40);
    } else {
        x = source.x + (target.x - source.x) / 4;
    }
    return {source, {x, source.y}, {x, target.y}, target};
}

} // namespace ixo
