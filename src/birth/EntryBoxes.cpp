#include "birth/EntryBoxes.h"

namespace birth {

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
    for (const EntryList& list : kEntryLists)
        if (list.field == field)
            return list.name;
    return {};
}

const EntryList* entryList(std::string_view name)
{
    for (const EntryList& list : kEntryLists)
        if (list.name == name)
            return &list;
    return nullptr;
}

} // namespace birth
