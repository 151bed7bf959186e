# The page's offline atlas and its life offline, built into site/ beside the page: the
# atlas's own WebAssembly module (atlas/selenoscope-atlas.mjs and .wasm, loaded on the
# first search, never with the page), the atlas's parts split by the native tools
# (atlas/*.part), the page's modules that use them, and the service worker, whose cache
# is named after a digest of every file it serves, so that a new build makes a new cache.
add_executable(selenoscope_atlas
    AtlasParts.cpp
    ToolAnswer.cpp ToolAnswer.h
)
export_own_folder(selenoscope_atlas)
target_link_libraries(selenoscope_atlas PRIVATE atlas_table_zones atlas_json)
set_target_properties(selenoscope_atlas PROPERTIES
    OUTPUT_NAME selenoscope-atlas
    SUFFIX .mjs
    RUNTIME_OUTPUT_DIRECTORY ${siteDir}/atlas)
page_module(selenoscope_atlas loadSelenoscopeAtlas
    EXPORTS _malloc _free _selenoscope_atlas_open _selenoscope_atlas_use_zones
            _selenoscope_atlas_missing _selenoscope_atlas_add _selenoscope_atlas_find
            _selenoscope_atlas_choose _selenoscope_atlas_places _selenoscope_atlas_question
            _selenoscope_atlas_tool _selenoscope_atlas_answer _selenoscope_atlas_answer_size
    OPTIONS -sINITIAL_MEMORY=33554432)

# The parts, as the host tools split them; parts of an earlier split go first.
add_custom_command(
    OUTPUT ${siteDir}/atlas/common.part
    COMMAND ${CMAKE_COMMAND} -DFROM=${SELENOSCOPE_HOST_ATLAS_PARTS} -DTO=${siteDir}/atlas
            -P ${CMAKE_CURRENT_SOURCE_DIR}/CopyAtlasParts.cmake
    DEPENDS host_tools ${SELENOSCOPE_HOST_ATLAS_PARTS}/common.part
            ${CMAKE_CURRENT_SOURCE_DIR}/CopyAtlasParts.cmake
    VERBATIM)

set(atlasSiteOutputs ${siteDir}/atlas/common.part)
copy_site_files(atlasSiteOutputs atlas.mjs finder.mjs offline.mjs)
add_custom_target(web_atlas ALL DEPENDS ${atlasSiteOutputs} selenoscope_atlas)

# The service worker: written after everything else, every build; its file changes (and
# with it the cache) only when a file it serves does.
add_custom_target(web_offline ALL
    COMMAND ${CMAKE_COMMAND} -DSITE=${siteDir} -DTEMPLATE=${CMAKE_CURRENT_SOURCE_DIR}/site/sw.js
            -P ${CMAKE_CURRENT_SOURCE_DIR}/MakeServiceWorker.cmake
    COMMENT "Writing the page's service worker"
    VERBATIM)
add_dependencies(web_offline web_site web_atlas)
