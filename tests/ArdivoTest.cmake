# SPDX-License-Identifier: MIT
# ardivo_add_test(NAME COMMAND cmd... [BUS] [TIMEOUT s] [ENVIRONMENT VAR=value...] [LABELS l...])
# Every test runs through hermetic.sh: its own home and directories, an
# environment from an allow-list (and the ENVIRONMENT given here), a private
# session bus with BUS, and no process or file left behind. The suite's last
# test checks that none was.
set(ARDIVO_HERMETIC ${CMAKE_CURRENT_LIST_DIR}/hermetic.sh)

function(ardivo_add_test name)
    cmake_parse_arguments(ARG "BUS" "TIMEOUT" "COMMAND;ENVIRONMENT;LABELS" ${ARGN})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 60)
    endif()
    set(bus)
    if(ARG_BUS)
        set(bus --bus)
    endif()
    # The wrapper's own limit comes first, so that it can clean up after a
    # test that hangs before CTest ends it.
    math(EXPR seconds "${ARG_TIMEOUT} - 10")
    add_test(NAME ${name} COMMAND bash ${ARDIVO_HERMETIC} ${bus} --seconds ${seconds} ${ARG_ENVIRONMENT} --
                                  ${ARG_COMMAND})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT} LABELS "${ARG_LABELS}" FIXTURES_REQUIRED hermetic)
endfunction()
