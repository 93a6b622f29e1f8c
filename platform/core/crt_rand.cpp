// The C library's rand() as the game expects it on every platform: the
// same 32-bit linear congruential generator, starting from state 1.
// (No <cstdlib> here: these definitions replace the C library's.)
#include <cstdint>

namespace {
uint32_t g_rand_state = 1;
}

namespace mub::core::detail {
void reset_rand() { g_rand_state = 1; }
}  // namespace mub::core::detail

extern "C" {

int rand(void) noexcept {
    g_rand_state = g_rand_state * 214013u + 2531011u;
    return int((g_rand_state >> 16) & 0x7FFF);
}

void srand(unsigned seed) noexcept { g_rand_state = seed; }

}  // extern "C"
