#include "cli/left_to_exit.h"

#include <array>
#include <atomic>
#include <cstddef>

namespace ixo::cli {
namespace {

constexpr std::size_t kGraves = 16;
// Plain pointers without destructors: nothing runs on them at exit.
std::array<std::atomic<void*>, kGraves> g_graves{};
std::atomic<std::size_t> g_used{0};

} // namespace

bool BuryPointer(void* pointer) {
    std::size_t grave = g_used.load();
    do {
        if (grave >= kGraves) {
            return false;
        }
    } while (!g_used.compare_exchange_weak(grave, grave + 1));
    g_graves[grave].store(pointer);
    return true;
}

} // namespace ixo::cli
