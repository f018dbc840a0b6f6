#include <gtest/gtest.h>

#include <cstdlib>

// Unit tests never open a real window or a sound card: pin SDL to its dummy drivers.
int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
