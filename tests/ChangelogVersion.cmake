# SPDX-License-Identifier: MIT
# debian/changelog's newest entry is of the version that CMakeLists.txt's
# project() gives, the one the program, its resources and its scripts show.
# Usage: cmake -DVERSION=N.NN -DCHANGELOG=FILE -P ChangelogVersion.cmake
file(STRINGS ${CHANGELOG} first LIMIT_COUNT 1)
if(NOT first MATCHES "^ardivo \\(([^)]+)\\) ")
    message(FATAL_ERROR "${CHANGELOG}: the first line names no version of ardivo: ${first}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL VERSION)
    message(FATAL_ERROR "debian/changelog's newest entry is ${CMAKE_MATCH_1}, but Ardivo's version is ${VERSION} "
                        "(CMakeLists.txt, project()): add an entry for ${VERSION} with dch -v ${VERSION}")
endif()
message(STATUS "debian/changelog's newest entry is ${VERSION}, Ardivo's version")
