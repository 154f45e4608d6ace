#pragma once

#include <cstdlib>

// One call of std::rand brought to 0..32767, the range the game's random constants (angles,
// distances, spots) are scaled for. Where RAND_MAX is 32767 this is std::rand itself; where it
// is larger (2^31 - 1 with glibc) the high bits are kept, which are the better ones.
inline int standardRand()
{
    constexpr int divisor = RAND_MAX / 32768 + 1;
    return std::rand() / divisor;
}
