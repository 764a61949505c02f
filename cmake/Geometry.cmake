# SPDX-License-Identifier: MIT
# The window's geometry for the tests that click on it: the table the window
# is built from (src/form/Placements.def, in twips) written in pixels of the
# client area, as Twips::toPixels gives them, one line a control,
# "NAME LEFT TOP WIDTH HEIGHT", the window itself first as
# "frmCalcoloArdivo 0 0 WIDTH HEIGHT". As a script, for what runs outside a
# build: cmake -DTABLE=FILE -DOUTPUT=FILE -P Geometry.cmake
function(ardivo_write_geometry table output)
    if(NOT CMAKE_SCRIPT_MODE_FILE)
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${table})
    endif()
    file(STRINGS ${table} lines REGEX "^(WINDOW_SIZE|PLACE)\\(")
    set(text "")
    foreach(line ${lines})
        if(line MATCHES "^WINDOW_SIZE\\(([0-9]+), ([0-9]+)\\)$")
            set(name frmCalcoloArdivo)
            set(twips 0 0 ${CMAKE_MATCH_1} ${CMAKE_MATCH_2})
        elseif(line MATCHES "^PLACE\\(([A-Za-z0-9_]+), (-?[0-9]+), (-?[0-9]+), ([0-9]+), ([0-9]+)\\)$")
            set(name ${CMAKE_MATCH_1})
            set(twips ${CMAKE_MATCH_2} ${CMAKE_MATCH_3} ${CMAKE_MATCH_4} ${CMAKE_MATCH_5})
        else()
            message(FATAL_ERROR "${table}: a line the tests cannot read: ${line}")
        endif()
        set(pixels "")
        foreach(value ${twips})
            math(EXPR value "${value} / 15") # truncated, as C++ divides
            list(APPEND pixels ${value})
        endforeach()
        list(JOIN pixels " " pixels)
        string(APPEND text "${name} ${pixels}\n")
    endforeach()
    file(CONFIGURE OUTPUT ${output} CONTENT "${text}")
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    ardivo_write_geometry(${TABLE} ${OUTPUT})
endif()
