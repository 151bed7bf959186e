// The index built from the pinned place data, loaded once for every test.
#pragma once

#include "atlas/PlaceIndex.h"

#include <gtest/gtest.h>

inline const atlas::PlaceIndex& builtIndex()
{
    static const atlas::IndexLoad load = atlas::PlaceIndex::load(ATLAS_TEST_INDEX);
    if (!load.index) {
        ADD_FAILURE() << load.error;
        std::abort();
    }
    return *load.index;
}
