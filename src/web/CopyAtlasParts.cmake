# Copies the atlas's parts from FROM into TO, removing the parts of an earlier split first.
#   cmake -DFROM=... -DTO=... -P CopyAtlasParts.cmake
file(GLOB old "${TO}/*.part")
if(old)
    file(REMOVE ${old})
endif()
file(GLOB parts "${FROM}/*.part")
if(NOT parts)
    message(FATAL_ERROR "${FROM} holds no parts of the atlas")
endif()
file(COPY ${parts} DESTINATION "${TO}")
