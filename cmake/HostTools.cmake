# The tools a cross build runs while building (the web page's): this source tree built
# natively, without windows, for the zone table exported from the system's tzdata and
# the atlas's folding table generated from the system's ICU, and the atlas's index split
# into the parts the page fetches.
include(ExternalProject)

set(hostDir ${PROJECT_BINARY_DIR}/host)
set(SELENOSCOPE_HOST_ZONE_TABLE ${hostDir}/atlas/zones.table)
set(SELENOSCOPE_HOST_FOLD_TABLE ${hostDir}/generated/atlas_places/atlas/FoldTable.h)
set(SELENOSCOPE_HOST_ATLAS_PARTS ${hostDir}/atlas/parts)
ExternalProject_Add(host_tools
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${hostDir}
    CMAKE_ARGS
        -DCMAKE_BUILD_TYPE=Release
        -DSELENOSCOPE_DESKTOP=OFF
        -DSELENOSCOPE_PRECISE=OFF
        -DSELENOSCOPE_BUILD_TESTS=OFF
        -DSELENOSCOPE_BUILD_BENCH=OFF
        -DSELENOSCOPE_BUILD_TOOLS=OFF
        -DSELENOSCOPE_ATLAS_DATA_DIR=${SELENOSCOPE_ATLAS_DATA_DIR}
        -DSELENOSCOPE_ATLAS_COUNTRIES=${SELENOSCOPE_ATLAS_COUNTRIES}
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${hostDir} --target zone_table fold_table atlas_parts
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${SELENOSCOPE_HOST_ZONE_TABLE} ${SELENOSCOPE_HOST_FOLD_TABLE}
                     ${SELENOSCOPE_HOST_ATLAS_PARTS}/common.part)
