cmake_minimum_required(VERSION 3.25)
# Builds the Debian package from the build tree into a scratch folder and checks
# what it holds and what it depends on. Run with -P; CPACK, CPACK_CONFIG,
# EXPECTED_FILES (paths inside the package) and EXPECTED_DEPENDS given.
foreach(variable CPACK CPACK_CONFIG EXPECTED_FILES EXPECTED_DEPENDS)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "${variable} is not set")
    endif()
endforeach()

execute_process(COMMAND mktemp -d /tmp/selenoscope-deb.XXXXXX
                OUTPUT_VARIABLE outDir OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
set(failures "")

execute_process(COMMAND ${CPACK} --config ${CPACK_CONFIG} -B ${outDir}
                RESULT_VARIABLE result OUTPUT_VARIABLE log ERROR_VARIABLE log)
file(GLOB debs ${outDir}/*.deb)
list(LENGTH debs debCount)
if(NOT result EQUAL 0 OR NOT debCount EQUAL 1)
    list(APPEND failures "cpack made ${debCount} packages (exit ${result}):\n${log}")
else()
    execute_process(COMMAND dpkg-deb -c ${debs} OUTPUT_VARIABLE listing COMMAND_ERROR_IS_FATAL ANY)
    # The last field of each line is the path, "./usr/bin/selenoscope".
    string(REGEX MATCHALL "\\./[^\n]*" packaged "${listing}")
    foreach(file IN LISTS EXPECTED_FILES)
        if(NOT "./${file}" IN_LIST packaged)
            list(APPEND failures "missing from the package: ${file}")
        endif()
    endforeach()

    execute_process(COMMAND dpkg-deb -f ${debs} Depends OUTPUT_VARIABLE depends
                    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    message(STATUS "Depends: ${depends}")
    string(REGEX MATCHALL "[a-z0-9.+-]+( \\([^)]*\\))?" dependencies "${depends}")
    string(REGEX REPLACE " \\([^)]*\\)" "" dependencies "${dependencies}")
    foreach(package IN LISTS EXPECTED_DEPENDS)
        if(NOT package IN_LIST dependencies)
            list(APPEND failures "not among the dependencies: ${package}")
        endif()
    endforeach()
endif()

file(REMOVE_RECURSE ${outDir})
if(failures)
    string(JOIN "\n  " report ${failures})
    message(FATAL_ERROR "Debian package:\n  ${report}")
endif()
