// Names and printing for the rows of data-driven tests, so that listings and
// failures name the row. Qt-free.
#pragma once

#include <cctype>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <string_view>

namespace test_support {

template <class Row>
concept NamedRow = requires(const Row& row)
{
    row.name;
};

/// Names a data-driven test after its row's name; characters other than letters and
/// digits become '_', as test names must.
template <NamedRow Row> std::string RowName(const testing::TestParamInfo<Row>& info)
{
    std::string name;
    for (const char c : std::string_view(info.param.name))
        name += std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
    return name;
}

/// Prints a row as its name. Bring it into a test file's namespace with
/// `using test_support::PrintTo;`.
template <NamedRow Row> void PrintTo(const Row& row, std::ostream* os)
{
    *os << row.name;
}

} // namespace test_support
