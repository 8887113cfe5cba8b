#include "design/power_check.h"

#include "building/proyecto.h"
#include "design/network_elements.h"
#include "model/alimentador.h"
#include "model/cbft.h"
#include "model/multiswitch.h"
#include "model/pin.h"

#include <cstdio>
#include <unordered_map>
#include <unordered_set>

namespace ixo {
namespace {

std::string Milliamps(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.0f mA", value);
    return text;
}

std::string Named(const TCBFT& element) {
    return element.Name() + " (" + element.Modelo + ")";
}

bool IsActive(const TCBFT& element) {
    if (element.As<Talimentador>() != nullptr) {
        return false;
    }
    return SupplyDraw(element) > 0.0 || LineDraw(element) > 0.0;
}

// Direct current passes a multiswitch (its cascade line carries the supply voltage on to the next one,
// and a line-powered one draws from it on the way) but no splitter, amplifier, source or switch.
bool PassesPower(const TCBFT& element) {
    return element.As<TMultiswitch>() != nullptr;
}

// The element that puts power on the line element sits on: an injector cabled into it or an element
// that powers the line (its maximum line current above 0), found upstream through the inputs and
// through multiswitches only. Null when there is none.
const TCBFT* LineSupplier(const TCBFT& element) {
    std::vector<const TCBFT*> pending{&element};
    std::unordered_set<const TCBFT*> seen{&element};
    while (!pending.empty()) {
        const TCBFT* at = pending.back();
        pending.pop_back();
        for (const TPin* input : at->PinesENTRADA()) {
            const TPin* peer = input->Peer();
            const auto* upstream =
                peer != nullptr ? TPrimerComponente::AsOrNull<TCBFT>(peer->Owner()) : nullptr;
            if (upstream == nullptr || !seen.insert(upstream).second) {
                continue;
            }
            if (TPrimerComponente::AsOrNull<TInyector>(upstream) != nullptr || upstream->DoyCorriente()) {
                return upstream;
            }
            if (PassesPower(*upstream)) {
                pending.push_back(upstream);
            }
        }
    }
    return nullptr;
}

double Available(const TCBFT& supplier) {
    if (const auto* feeder = supplier.As<Talimentador>()) {
        return feeder->Corriente;
    }
    return supplier.CorrienteMaxima;
}

struct Load {
    double milliamps = 0.0;
    int count = 0;
};

} // namespace

double SupplyDraw(const TCBFT& element) {
    return element.Consumolin;
}

double LineDraw(const TCBFT& element) {
    if (element.ConsumoActivo > 0 || element.ConsumoPasivo > 0) {
        const auto* multiswitch = element.As<TMultiswitch>();
        const bool active =
            multiswitch == nullptr || multiswitch->AttenuarTer != 0 || element.ConsumoPasivo <= 0;
        return active ? element.ConsumoActivo : element.ConsumoPasivo;
    }
    return element.Consumolin;
}

std::string PowerProblem::Text() const {
    if (element == nullptr) {
        return {};
    }
    if (kind == Kind::Unpowered) {
        return Named(*element) + " draws " + Milliamps(drawnMilliamps) +
               " and no supply, injector or powered line feeds it";
    }
    return Named(*element) + " is overloaded: " + std::to_string(loadCount) + " element(s) draw " +
           Milliamps(drawnMilliamps) + ", it delivers " + Milliamps(availableMilliamps);
}

std::vector<PowerProblem> CheckPowering(const Tproyecto& project) {
    const std::vector<TCBFT*> elements = NetworkElements(project);
    std::vector<PowerProblem> problems;
    std::unordered_map<const TCBFT*, Load> loads;
    const auto draw = [&loads](const TCBFT& supplier, double milliamps) {
        Load& load = loads[&supplier];
        load.milliamps += milliamps;
        ++load.count;
    };
    for (const TCBFT* element : elements) {
        if (!IsActive(*element)) {
            continue;
        }
        if (element->Feeder() != nullptr) {
            draw(*element->Feeder(), SupplyDraw(*element));
        } else if (const TCBFT* supplier = LineSupplier(*element)) {
            draw(*supplier, LineDraw(*element));
        } else {
            problems.push_back({PowerProblem::Kind::Unpowered, element,
                                SupplyDraw(*element) > 0.0 ? SupplyDraw(*element) : LineDraw(*element), 0.0,
                                0});
        }
    }
    for (const TCBFT* element : elements) {
        const bool feeder = TPrimerComponente::AsOrNull<Talimentador>(element) != nullptr;
        if (!feeder && !element->DoyCorriente()) {
            continue;
        }
        auto found = loads.find(element);
        if (found == loads.end()) {
            continue;
        }
        Load total = found->second;
        if (feeder) {
            // A supply also carries what the line-powering elements it feeds deliver to their lines.
            for (const auto& entry : static_cast<const Talimentador*>(element)->CompoAlimentar()) {
                if (entry.Element != nullptr && entry.Element->DoyCorriente()) {
                    auto line = loads.find(entry.Element);
                    if (line != loads.end()) {
                        total.milliamps += line->second.milliamps;
                        total.count += line->second.count;
                    }
                }
            }
        }
        if (total.milliamps > Available(*element)) {
            problems.push_back(
                {PowerProblem::Kind::Overloaded, element, total.milliamps, Available(*element), total.count});
        }
    }
    return problems;
}

} // namespace ixo
