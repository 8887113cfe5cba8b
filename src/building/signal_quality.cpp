#include "building/signal_quality.h"

namespace ixo {

bool SignalQuality::IsDefault() const {
    return *this == SignalQuality{};
}

} // namespace ixo
