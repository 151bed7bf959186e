#include "birth/EntryBoxes.h"

#include <utility>

namespace birth {
namespace {

/// The lists' names; the boxes' stand in kEntryBoxes.
constexpr std::array<std::pair<BirthField, std::string_view>, 5> kListNames{{
    {BirthField::Month, "cboMonth"},
    {BirthField::Day, "cboDate"},
    {BirthField::Year, "cboYear"},
    {BirthField::Hour, "cboHH"},
    {BirthField::Minute, "cboMM"},
}};

} // namespace

const EntryBox* entryBox(std::string_view name)
{
    for (const EntryBox& box : kEntryBoxes)
        if (box.name == name)
            return &box;
    return nullptr;
}

std::string_view controlName(BirthField field)
{
    for (const EntryBox& box : kEntryBoxes)
        if (box.field == field)
            return box.name;
    for (const auto& [listField, name] : kListNames)
        if (listField == field)
            return name;
    return {};
}

} // namespace birth
