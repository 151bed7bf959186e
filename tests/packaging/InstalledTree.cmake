cmake_minimum_required(VERSION 3.25)
# Installs the build into a fresh folder outside the build tree, as a user's
# system would hold it, and checks it there: the AppStream view of the whole
# tree, and the lookup finding its browser component from the installed program's
# folder. Run with -P; BUILD_DIR, BINDIR and PROBE (the lookup test program) given.
foreach(variable BUILD_DIR BINDIR PROBE)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "${variable} is not set")
    endif()
endforeach()

execute_process(COMMAND mktemp -d /tmp/selenoscope-install.XXXXXX
                OUTPUT_VARIABLE prefix OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(failures "")

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    list(APPEND failures "cmake --install: ${result}")
else()
    execute_process(COMMAND appstreamcli validate-tree --no-net ${prefix} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        list(APPEND failures "appstreamcli validate-tree: ${result}")
    endif()

    # The probe runs from the installed bin folder, where the program would.
    file(COPY ${PROBE} DESTINATION ${prefix}/${BINDIR})
    get_filename_component(probeName ${PROBE} NAME)
    execute_process(COMMAND ${prefix}/${BINDIR}/${probeName} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        list(APPEND failures "lookup from the installed program's folder: ${result}")
    endif()
endif()

file(REMOVE_RECURSE ${prefix})
if(failures)
    message(FATAL_ERROR "Installed tree: ${failures}")
endif()
