// What the batch command writes for the worked example: shared by its tests.
#pragma once

#include <string>

namespace cli_test {

inline const std::string kAppended =
    ",sidereal_geocentric,sidereal_topocentric,tropical_geocentric,tropical_topocentric,error";

/// The worked example as a row of date,time,longitude,latitude,zone,dst, and its readings.
inline const std::string kWorkedRow = "2000-01-01,12:00,77:13E,28:37N,5:30,0";
inline const std::string kWorkedReadings =
    "\"16° 42' 10\"\" Lib\",\"16° 13' 46\"\" Lib\",\"10° 33' 23\"\" Sco\",\"10° 4' 59\"\" Sco\",";

} // namespace cli_test
