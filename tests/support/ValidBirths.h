// Random births that every check of the entry window passes. Qt-free.
#pragma once

#include "ephemeris/modEphemeris.h"

#include <random>

namespace test_support {

/// A birth over the whole of the window's ranges: a day its month has, a zone of at
/// most 12 hours, the place anywhere, daylight saving or not.
modEphemeris::BirthData ValidRandomBirth(std::mt19937& rng);

} // namespace test_support
