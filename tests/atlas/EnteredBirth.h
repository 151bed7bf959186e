// What the entry window reads once the finder has filled its fields: the place's
// fields written into the birth's typed fields, then the window's own checks.
#pragma once

#include "atlas/EntryFields.h"
#include "birth/BirthDataChecks.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <variant>

inline modEphemeris::BirthData enteredBirth(const atlas::EntryFields& fields,
                                            const modEphemeris::CivilTime& local)
{
    modEphemeris::BirthData at;
    at.BirthYear = static_cast<std::int16_t>(local.year);
    at.BirthMonth = static_cast<std::int16_t>(local.month);
    at.BirthDay = static_cast<std::int16_t>(local.day);
    at.BirthHour = static_cast<std::int16_t>(local.hour);
    at.BirthMinute = static_cast<std::int16_t>(local.minute);
    birth::BirthDataFields typed = birth::FieldsFor(at);
    atlas::writePlace(fields, typed);
    auto read = birth::ReadBirthData(typed, {}, birth::NameRule::Optional);
    if (const auto* refusal = std::get_if<birth::Refusal>(&read)) {
        ADD_FAILURE() << "the entry window refuses the fields: " << refusal->message;
        return at;
    }
    return std::get<modEphemeris::BirthData>(read);
}
