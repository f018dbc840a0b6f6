#pragma once

#include <cstdint>

// A small xorshift generator: the same seed gives the same sequence on every machine, so the
// generated pictures and sounds never change unless their code does.
struct Random {
    std::uint32_t state = 0x9E3779B9u;

    std::uint32_t next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    // A value in [0, 1).
    double unit() { return next() / 4294967296.0; }
    // A value in [-1, 1).
    double signedUnit() { return unit() * 2.0 - 1.0; }
};
