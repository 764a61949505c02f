# SPDX-License-Identifier: MIT
# ardivo_add_test(NAME COMMAND cmd... [BUS] [TIMEOUT s] [ENVIRONMENT VAR=value...] [LABELS l...]
#                 [READABLE dir...])
# Every test runs through hermetic.sh: in a sandbox of its own, with its own
# home and directories, an environment from an allow-list (and the
# ENVIRONMENT given here), a private session bus with BUS, and nothing it
# started or wrote outliving it. Only the build tree is writable; READABLE
# shows directories that the sandbox would hide (in the home). ARDIVO_GEOMETRY
# names the window's geometry as the build writes it (cmake/Geometry.cmake),
# for the tests that click on the window.
set(ARDIVO_HERMETIC ${CMAKE_CURRENT_LIST_DIR}/hermetic.sh)

function(ardivo_add_test name)
    cmake_parse_arguments(ARG "BUS" "TIMEOUT" "COMMAND;ENVIRONMENT;LABELS;READABLE" ${ARGN})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 60)
    endif()
    if(ARG_TIMEOUT LESS 10)
        message(FATAL_ERROR "${name}: a TIMEOUT under 10 s leaves the sandbox no time to end the test")
    endif()
    set(options)
    if(ARG_BUS)
        set(options --bus)
    endif()
    foreach(dir ${ARG_READABLE})
        list(APPEND options --readable ${dir})
    endforeach()
    # The sandbox's own limit comes first, so that it can say why it ended the
    # test before CTest kills it.
    math(EXPR seconds "${ARG_TIMEOUT} - 5")
    add_test(NAME ${name} COMMAND bash ${ARDIVO_HERMETIC} ${options} --seconds ${seconds} --writable ${CMAKE_BINARY_DIR}
                                  ARDIVO_GEOMETRY=${CMAKE_BINARY_DIR}/geometry.tsv ${ARG_ENVIRONMENT} -- ${ARG_COMMAND})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT} LABELS "${ARG_LABELS}")
endfunction()
