// Profiles of the profile window's tests, worked out by hand.
#pragma once

#include "support/worked_examples.h"

namespace ravo {

using fixtures::ProfileOf;

// A crest, a level stretch, a gap, a sag with a later level row over part of
// it, a zero-length row and a reversed one.
inline ProfileState RidgeAndHollow()
{
    return ProfileOf({{100, 0.02f, -0.01f, 1000, 1200},
                      {101, 0, 0, 1200, 1300},
                      {100, -0.03f, 0.01f, 1400, 1800},
                      {50, 0, 0, 1500, 1550},
                      {7, 0, 0, 1100, 1100},
                      {9, 0, 0, 1900, 1850}},
                     {{-0.02f, 0.0004f, 0.0004f, 1000, 1100}});
}

}  // namespace ravo
