// The level push runs for every element on every recalculation: it must not allocate. This program's
// operator new counts allocations while a push is measured.
#include "element_test_support.h"
#include "model/cable_tv.h"
#include "model/repartidor.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

namespace {

bool g_counting = false;
long g_allocations = 0;

} // namespace

// GCC sees the malloc inside the replaced operator new and the free inside the replaced operator delete
// through inlining and takes them for a mismatched pair.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
    if (g_counting) {
        ++g_allocations;
    }
    if (void* memory = std::malloc(size != 0 ? size : 1)) {
        return memory;
    }
    throw std::bad_alloc();
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

#pragma GCC diagnostic pop

namespace ixo {
namespace {

using PushAllocation = test::ElementFixture;

TEST_F(PushAllocation, ATreeOfSplittersIsPushedWithoutAllocating) {
    auto record = test::MakeRecord(1, 1002, "RP-2",
                                   {"NENTRADAS=1", "TIPOCENT=1", "ENTRADASPDC=0;0;4000;0", "NSALIDAS=2",
                                    "TIPOSALIDA=AB", "TIPOCSAL=1;1", "SALIDASPDC=0;0;4000;0;0;0;4000;0",
                                    "NDERIVACIONES=1", "TIPOCDER=1", "DERIVACIONESPDC=0;0;4000;0",
                                    "ECUACIONES", "EA/SA=-4;-4;-4;-4;-5;-5;-5;-5", "FINECUACIONES"});
    auto* cable = TPrimerComponente::Create<TCableTV>(network.get());
    cable->SetCoefficients(LevelVector::Filled(-0.2));
    std::vector<TRepartidor*> tree;
    for (int i = 0; i < 15; ++i) {
        tree.push_back(FromRecord<TRepartidor>(record));
        if (i > 0) {
            ASSERT_TRUE(tree[(i - 1) / 2]->ConnectPin(kFirstFreePin, PinKind::Output, 5.0, cable,
                                                      kFirstFreePin, PinKind::Input, *tree[i]));
        }
    }
    g_allocations = 0;
    g_counting = true;
    tree[0]->ReceiveLevel(LevelVector::Filled(100.0), tree[0]->PinesENTRADA()[0]);
    g_counting = false;
    EXPECT_EQ(g_allocations, 0);
    // The deepest left leaf: three splitters (-4 on A, -1 for the B output without row), 3 x 5 m of cable.
    EXPECT_DOUBLE_EQ(tree[7]->PinesENTRADA()[0]->Levels()[0], 100.0 - 3 * 4.0 - 3 * 1.0);
    EXPECT_DOUBLE_EQ(tree[14]->PinesENTRADA()[0]->Levels()[0], 100.0 - 3 * 1.0 - 3 * 1.0);
}

} // namespace
} // namespace ixo
