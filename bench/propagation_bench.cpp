// The level push through long chains of elements, copying catalogue prototypes and creating many named
// components under one owner.
//
// The push recurses once per element on the way down a chain (depth first, as the calculation is
// defined), so a chain of 100,000 elements needs a deep stack: the push runs on a thread with a 1 GiB
// stack here, and the bench reports the stack used per element ("stack_per_element", bytes): at about
// 460 bytes an element, the default 8 MiB stack holds chains of some 18,000 elements. Real networks are
// trees a few dozen elements deep.
#include "catalogue/records.h"
#include "model/cable_tv.h"
#include "model/cbft.h"
#include "model/padre_tv.h"
#include "model/repartidor.h"

#include <benchmark/benchmark.h>
#include <pthread.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

using namespace ixo;

constexpr std::size_t kPushStackBytes = std::size_t{1} << 30;

// Runs work on a thread with a stack of the given size and waits for it.
void RunWithStack(std::size_t stackBytes, const std::function<void()>& work) {
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, stackBytes);
    auto trampoline = [](void* argument) -> void* {
        (*static_cast<const std::function<void()>*>(argument))();
        return nullptr;
    };
    pthread_t thread;
    if (pthread_create(&thread, &attributes, trampoline, const_cast<std::function<void()>*>(&work)) != 0) {
        throw std::runtime_error("cannot start the push thread");
    }
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

TRECConScript Record(int outputs) {
    TRECConScript record;
    record.Indice = 1;
    record.Familia = 1002;
    record.Modelo = "RP";
    record.Descripcion = "Bench splitter";
    std::string letters(static_cast<std::size_t>(outputs), 'A');
    std::string connectors = "1";
    std::string dc = "0;0;4000;0";
    for (int i = 1; i < outputs; ++i) {
        connectors += ";1";
        dc += ";0;0;4000;0";
    }
    record.Script =
        "NENTRADAS=1\r\nTIPOCENT=1\r\nENTRADASPDC=0;0;4000;0\r\nNSALIDAS=" + std::to_string(outputs) +
        "\r\nTIPOSALIDA=" + letters + "\r\nTIPOCSAL=" + connectors + "\r\nSALIDASPDC=" + dc +
        "\r\nNDERIVACIONES=1\r\nTIPOCDER=1\r\nDERIVACIONESPDC=0;0;4000;0\r\nECUACIONES\r\n"
        "EA/SA=-0,01;-0,01;-0,01;-0,01;-0,02;-0,02;-0,02;-0,02\r\n"
        "EA/DA=-10;-10;-10;-10;-10;-10;-10;-10\r\nFINECUACIONES\r\n";
    return record;
}

// The last element of a chain notes how deep the stack went.
class DepthProbe : public TCBFT {
    IXO_COMPONENT_CLASS(DepthProbe)
public:
    explicit DepthProbe(TPrimerComponente* owner) : TCBFT(owner) {}
    DepthProbe(TPrimerComponente* owner, const TCBFT& prototype) : TCBFT(owner, prototype) {}
    void ReceiveLevel(const LevelVector& level, TPin* pin) override {
        char here = 0;
        deepest = reinterpret_cast<std::uintptr_t>(&here);
        TCBFT::ReceiveLevel(level, pin);
    }
    std::uintptr_t deepest = 0;
};
IXO_DEFINE_COMPONENT_CLASS(DepthProbe, TCBFT)

// A chain of n elements with one output each, joined by 1 m of cable, the last one a probe.
struct Chain {
    explicit Chain(int n) {
        network->SetName("RedTV");
        cable->SetCoefficients(LevelVector::Filled(-0.0001));
        TRepartidor* prototype =
            TComponenteBase::CreateFromRecord<TRepartidor>(network.get(), Record(1), nullptr);
        TCBFT* previous = nullptr;
        for (int i = 0; i < n; ++i) {
            TCBFT* element = i + 1 < n
                                 ? static_cast<TCBFT*>(TComponenteBase::CreateCopy(network.get(), *prototype))
                                 : TPrimerComponente::Create<DepthProbe>(network.get(), *prototype);
            if (previous == nullptr) {
                first = element;
            } else {
                previous->ConnectPin(0, PinKind::Output, 1.0, cable, 0, PinKind::Input, *element);
            }
            previous = element;
        }
        last = static_cast<DepthProbe*>(previous);
    }
    std::unique_ptr<TPadreTV> network = TPrimerComponente::CreateRoot<TPadreTV>();
    TCableTV* cable = TPrimerComponente::Create<TCableTV>(network.get());
    TCBFT* first = nullptr;
    DepthProbe* last = nullptr;
};

void BM_PushThroughChain(benchmark::State& state) {
    Chain chain(static_cast<int>(state.range(0)));
    std::uintptr_t top = 0;
    for (auto _ : state) {
        RunWithStack(kPushStackBytes, [&] {
            char here = 0;
            top = reinterpret_cast<std::uintptr_t>(&here);
            chain.first->ReceiveLevel(LevelVector::Filled(100.0), chain.first->PinesENTRADA()[0]);
        });
    }
    benchmark::DoNotOptimize(chain.last->PinesDERIVACION()[0]->Levels());
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["stack_per_element"] =
        static_cast<double>(top - chain.last->deepest) / static_cast<double>(state.range(0));
}
BENCHMARK(BM_PushThroughChain)->Arg(1000)->Arg(100000)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_CopyPrototypes(benchmark::State& state) {
    auto store = TPrimerComponente::CreateRoot<TPadreTV>();
    store->SetName("Store");
    TRepartidor* prototype = TComponenteBase::CreateFromRecord<TRepartidor>(store.get(), Record(4), nullptr);
    for (auto _ : state) {
        auto network = TPrimerComponente::CreateRoot<TPadreTV>();
        network->SetName("RedTV");
        for (std::int64_t i = 0; i < state.range(0); ++i) {
            benchmark::DoNotOptimize(TComponenteBase::CreateCopy(network.get(), *prototype));
        }
        network.reset(); // freeing is part of the cycle
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CopyPrototypes)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_CreateNamedComponents(benchmark::State& state) {
    for (auto _ : state) {
        auto network = TPrimerComponente::CreateRoot<TPadreTV>();
        network->SetName("RedTV");
        for (std::int64_t i = 0; i < state.range(0); ++i) {
            benchmark::DoNotOptimize(TPrimerComponente::Create<TRepartidor>(network.get()));
        }
        network.reset(); // freeing is part of the cycle
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CreateNamedComponents)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
