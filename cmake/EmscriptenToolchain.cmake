# The emscripten toolchain wherever emscripten is installed (the web preset): found
# through em-config, which Debian's package and emsdk both provide.
find_program(SELENOSCOPE_EM_CONFIG em-config)
if(NOT SELENOSCOPE_EM_CONFIG)
    message(FATAL_ERROR "The web page needs emscripten (Debian package emscripten, which "
                        "scripts/web installs).")
endif()
execute_process(COMMAND ${SELENOSCOPE_EM_CONFIG} EMSCRIPTEN_ROOT
                OUTPUT_VARIABLE emscriptenRoot OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE failed)
if(failed OR NOT EXISTS "${emscriptenRoot}/cmake/Modules/Platform/Emscripten.cmake")
    message(FATAL_ERROR "em-config names no emscripten with a CMake toolchain: '${emscriptenRoot}'")
endif()
include("${emscriptenRoot}/cmake/Modules/Platform/Emscripten.cmake")

# Linking runs emscripten's JavaScript optimizer, which needs the acorn parser. Debian's
# package installs it for Debian's own Node.js (/usr/share/nodejs); a Node.js from
# elsewhere does not look there, so the link is told where it is.
execute_process(COMMAND node -e "require.resolve('acorn')" RESULT_VARIABLE acornMissing
                OUTPUT_QUIET ERROR_QUIET)
if(acornMissing AND EXISTS /usr/share/nodejs/acorn)
    set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
endif()
