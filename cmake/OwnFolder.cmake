# export_own_folder(<target>)
# Lets the target's users include the headers of the target's own folder, and
# only those, by folder name: "shell/AppIcon.h". Each library gets an include
# root of its own in the build tree holding one link, named after the folder,
# to the folder itself; a file that includes a folder its target does not link
# fails to compile.
function(export_own_folder target)
    get_filename_component(folder "${CMAKE_CURRENT_SOURCE_DIR}" NAME)
    set(root "${PROJECT_BINARY_DIR}/include/${target}")
    file(MAKE_DIRECTORY "${root}")
    file(CREATE_LINK "${CMAKE_CURRENT_SOURCE_DIR}" "${root}/${folder}" SYMBOLIC)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY") # headers alone
        target_include_directories(${target} INTERFACE "${root}")
    else()
        target_include_directories(${target} PUBLIC "${root}")
    endif()
endfunction()
