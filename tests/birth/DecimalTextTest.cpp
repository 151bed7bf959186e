// The number boxes' texts are read by a decimal parse of the checks' own, because the web
// build's C++ library has no from_chars for doubles. Every text must read bit for bit as
// from_chars reads it: the nearest double, the same refusals beyond and below the doubles.
#include "birth/BirthDataChecks.h"

#include <bit>
#include <charconv>
#include <cstdint>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <random>
#include <string>

namespace {

using namespace birth;

/// The reading the checks had before: from_chars, fixed format, the whole text.
std::optional<double> FromChars(std::string_view text)
{
    const std::string_view number = FieldText::TrimSpaces(text);
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                              std::chars_format::fixed);
    if (error != std::errc() || end != number.data() + number.size())
        return std::nullopt;
    return value;
}

/// Texts of one shape: a sign, leading zeros, whole digits, a point and fraction digits.
struct TextShape
{
    const char* name;
    int wholeDigits;    // at most this many (0 to ...)
    int fractionDigits; // at most this many; a point only when above 0
    int leadingZeros;   // at most this many zeros before the first digit of the fraction
    const char* prefix; // fixed digits the whole part starts with ("" for random ones)
};

void PrintTo(const TextShape& shape, std::ostream* os)
{
    *os << shape.name;
}

class DecimalText : public testing::TestWithParam<TextShape>
{
};

constexpr int kTextsPerShape = 20000;

TEST_P(DecimalText, ReadsAsFromCharsDoes)
{
    const TextShape& shape = GetParam();
    std::mt19937_64 engine(20260101U);
    auto upTo = [&](int most) { return std::uniform_int_distribution<int>(0, most)(engine); };
    int compared = 0;
    for (int i = 0; i < kTextsPerShape; ++i) {
        std::string text = upTo(3) == 0 ? "-" : "";
        text += shape.prefix;
        for (int d = upTo(shape.wholeDigits); d > 0; --d)
            text += static_cast<char>('0' + upTo(9));
        if (shape.fractionDigits > 0 && upTo(4) != 0) {
            text += '.';
            text.append(static_cast<std::size_t>(upTo(shape.leadingZeros)), '0');
            for (int d = upTo(shape.fractionDigits); d > 0; --d)
                text += static_cast<char>('0' + upTo(9));
        }
        const std::optional<double> expected = FromChars(text);
        const std::optional<double> actual = FieldText::NumericValue(text);
        if (!actual && !expected)
            continue;
        ASSERT_EQ(actual.has_value(), expected.has_value()) << '"' << text << '"';
        ASSERT_EQ(std::bit_cast<std::uint64_t>(*actual), std::bit_cast<std::uint64_t>(*expected))
            << '"' << text << "\" read as " << *actual << " instead of " << *expected;
        ++compared;
    }
    EXPECT_GT(compared, kTextsPerShape / 2); // most texts of every shape are numbers
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, DecimalText,
    testing::Values(TextShape{"typed_whole_numbers", 3, 0, 0, ""},
                    TextShape{"typed_fractions", 3, 3, 1, ""},
                    TextShape{"range_ends_with_long_fractions", 0, 25, 20, "12"},
                    TextShape{"halves_of_the_rounding_to_whole_numbers", 2, 1, 0, "5"},
                    TextShape{"nineteen_and_twenty_digits", 20, 0, 0, ""},
                    TextShape{"fifteen_to_seventeen_digits_after_the_point", 2, 17, 3, ""},
                    TextShape{"twenty_two_places_and_more", 1, 26, 25, ""},
                    TextShape{"beyond_the_doubles", 400, 0, 0, "17976931348623158"},
                    TextShape{"down_to_the_smallest_doubles", 0, 4, 330, "0"},
                    TextShape{"leading_zeros_before_big_integers", 40, 3, 0,
                              "000000000009007199254740"}),
    [](const testing::TestParamInfo<TextShape>& info) { return std::string(info.param.name); });

} // namespace
