// The built-in data of the Moon computation: the periodic terms of the lunar
// theory, the zodiac sign codes and the nakshatra names. Plain C++, no Qt, so the tests check it
// too.
#pragma once

#include <array>
#include <string_view>

namespace modEphemeris {

/// One periodic term: coefficient (degrees) times the sine or cosine of
/// d*D + m*M + mp*Mp + f*F, times the eccentricity factor E when timesE is set.
struct LunarTerm
{
    int d, m, mp, f;
    double coefficient;
    bool timesE;
};

// The Moon's longitude: sine terms, coefficients in degrees.
inline constexpr std::array<LunarTerm, 25> kLongitudeTerms{{
    {0, 0, 1, 0, +6.288774, false},  // Mp
    {2, 0, -1, 0, +1.274027, false}, // 2D - Mp
    {2, 0, 0, 0, +0.658314, false},  // 2D
    {0, 0, 2, 0, +0.213618, false},  // 2Mp
    {0, 1, 0, 0, -0.185116, true},   // M
    {0, 0, 0, 2, -0.114332, false},  // 2F
    {2, 0, -2, 0, +0.058793, false}, // 2D - 2Mp
    {2, -1, -1, 0, +0.057066, true}, // 2D - M - Mp
    {2, 0, 1, 0, +0.053322, false},  // 2D + Mp
    {2, -1, 0, 0, +0.045758, true},  // 2D - M
    {0, 1, -1, 0, -0.040923, true},  // M - Mp
    {1, 0, 0, 0, -0.034720, false},  // D
    {0, 1, 1, 0, -0.030383, true},   // M + Mp
    {2, 0, 0, -2, +0.015327, false}, // 2D - 2F
    {0, 0, 1, 2, -0.012528, false},  // Mp + 2F
    {0, 0, 1, -2, +0.010980, false}, // Mp - 2F
    {4, 0, -1, 0, +0.010675, false}, // 4D - Mp
    {0, 0, 3, 0, +0.010034, false},  // 3Mp
    {4, 0, -2, 0, +0.008548, false}, // 4D - 2Mp
    {2, 1, -1, 0, -0.007888, true},  // 2D + M - Mp
    {2, 1, 0, 0, -0.006766, true},   // 2D + M
    {1, 0, -1, 0, -0.005163, false}, // D - Mp
    {1, 1, 0, 0, +0.004987, true},   // D + M
    {2, -1, 1, 0, +0.004036, true},  // 2D - M + Mp
    {2, 0, 2, 0, +0.003994, false},  // 2D + 2Mp
}};
static_assert(kLongitudeTerms.size() == 25);

// The Moon's latitude: sine terms, coefficients in degrees. These are the
// program's own coefficients; a few differ in the last digits from other
// printings of the series and must stay as they are.
inline constexpr std::array<LunarTerm, 24> kLatitudeTerms{{
    {0, 0, 0, 1, +5.128122, false},   // F
    {0, 0, 1, 1, +0.280602, false},   // Mp + F
    {0, 0, 1, -1, +0.277693, false},  // Mp - F
    {2, 0, 0, -1, +0.173237, false},  // 2D - F
    {2, 0, -1, 1, +0.055413, false},  // 2D - Mp + F
    {2, 0, -1, -1, +0.046271, false}, // 2D - Mp - F
    {2, 0, 0, 1, +0.032573, false},   // 2D + F
    {0, 0, 2, 1, +0.017198, false},   // 2Mp + F
    {2, 0, 1, -1, +0.009266, false},  // 2D + Mp - F
    {0, 0, 2, -1, +0.008823, false},  // 2Mp - F
    {2, -1, 0, -1, +0.008247, true},  // 2D - M - F
    {2, 0, -2, -1, +0.004324, false}, // 2D - 2Mp - F
    {2, 0, 1, 1, +0.004200, false},   // 2D + Mp + F
    {-2, -1, 0, 1, +0.003372, true},  // F - M - 2D
    {2, -1, -1, 1, +0.002472, true},  // 2D + F - M - Mp
    {2, -1, 0, 1, +0.002222, true},   // 2D + F - M
    {2, -1, -1, -1, +0.002072, true}, // 2D - F - M - Mp
    {0, -1, 1, 1, +0.001877, true},   // F - M + Mp
    {4, 0, -1, -1, +0.001828, false}, // 4D - F - Mp
    {0, 1, 0, 1, -0.001803, true},    // F + M
    {0, 0, 0, 3, -0.001750, false},   // 3F
    {0, -1, 1, -1, +0.001570, true},  // Mp - M - F
    {1, 0, 0, 1, -0.001487, false},   // D + F
    {0, 1, 1, 1, -0.001481, true},    // F + M + Mp
}};
static_assert(kLatitudeTerms.size() == 24);

/// The constant part of the Moon's equatorial horizontal parallax, degrees.
inline constexpr double kParallaxConstant = 0.950724;

// The Moon's parallax: cosine terms, coefficients in degrees, added to kParallaxConstant.
inline constexpr std::array<LunarTerm, 19> kParallaxTerms{{
    {0, 0, 1, 0, +0.051818, false},  // Mp
    {2, 0, -1, 0, +0.009531, false}, // 2D - Mp
    {2, 0, 0, 0, +0.007843, false},  // 2D
    {0, 0, 2, 0, +0.002824, false},  // 2Mp
    {2, 0, 1, 0, +0.000857, false},  // 2D + Mp
    {2, -1, 0, 0, +0.000533, true},  // 2D - M
    {2, -1, -1, 0, +0.000401, true}, // 2D - M - Mp
    {0, -1, 1, 0, +0.000320, true},  // Mp - M
    {1, 0, 0, 0, -0.000271, false},  // D
    {0, 1, 1, 0, -0.000264, true},   // M + Mp
    {0, 0, -1, 2, -0.000198, false}, // 2F - Mp
    {0, 0, 3, 0, +0.000173, false},  // 3Mp
    {4, 0, -1, 0, +0.000167, false}, // 4D - Mp
    {0, 1, 0, 0, -0.000111, true},   // M
    {4, 0, -2, 0, +0.000103, false}, // 4D - 2Mp
    {-2, 0, 2, 0, -0.000084, false}, // 2Mp - 2D
    {2, 1, 0, 0, -0.000083, true},   // 2D + M
    {2, 0, 2, 0, +0.000079, false},  // 2D + 2Mp
    {4, 0, 0, 0, +0.000072, false},  // 4D
}};
static_assert(kParallaxTerms.size() == 19);

// The twelve signs of the zodiac, from Aries, 30 degrees each.
inline constexpr std::array<std::string_view, 12> kSignCodes{{
    "Ari",
    "Tau",
    "Gem",
    "Can",
    "Leo",
    "Vir",
    "Lib",
    "Sco",
    "Sag",
    "Cap",
    "Aqu",
    "Pis",
}};
static_assert(kSignCodes.size() == 12);

// The 27 nakshatras of the sidereal zodiac, from 0 degrees, 13 degrees 20 minutes each.
inline constexpr std::array<std::string_view, 27> kNakshatraNames{{
    "Ashwini",
    "Bharani",
    "Krittika",
    "Rohini",
    "Mrigashira",
    "Ardra",
    "Punarvasu",
    "Pushya",
    "Ashlesha",
    "Magha",
    "Purva Phalguni",
    "Uttara Phalguni",
    "Hasta",
    "Chitra",
    "Swati",
    "Vishakha",
    "Anuradha",
    "Jyeshtha",
    "Mula",
    "Purva Ashadha",
    "Uttara Ashadha",
    "Shravana",
    "Dhanishta",
    "Shatabhisha",
    "Purva Bhadrapada",
    "Uttara Bhadrapada",
    "Revati",
}};
static_assert(kNakshatraNames.size() == 27);

} // namespace modEphemeris
