// The conformance tests as a Windows program. The C runtime's generator is
// sampled first, before GoogleTest or any test can touch it.
#ifdef _WIN32

#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

namespace conftest {
std::vector<int> &start_rand_values();
}

int main(int argc, char **argv) {
    for (int i = 0; i < 5; ++i)
        conftest::start_rand_values().push_back(rand());
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#endif
