# Runs the layering check on tree/, a few files with wrong includes, and
# expects it to fail naming each of them, and nothing else.
#
#   cmake -DCHECK=<cmake/CheckLayers.cmake> -P CheckLayersTest.cmake
cmake_minimum_required(VERSION 3.25)

set(tree "${CMAKE_CURRENT_LIST_DIR}/tree")
set(expected
    "cli/Tool.cpp:3: cli includes widgets/Grid.h of widgets, a layer above it"
    "dialogs/Dialog.cpp:1: dialogs (gui) includes cli/Tool.h of cli (cli)"
    "document/Doc.cpp:1: document includes cli/Tool.h of cli, a layer above it"
    "document/Doc.cpp:3: document (core) includes <QtWidgets/QTableView>, a Qt screen header"
    "document/Doc.cpp:4: document (core) includes <qwidget.h>, a Qt screen header"
    "document/Doc.cpp:5: document (core) includes <QWidget>, a Qt screen header"
    "editor/Menu.cpp:2: an include loop inside editor: editor/Menu -> editor/View -> editor/Menu"
    "link/Port.cpp:2: link includes through a macro (PORT_HEADER)"
    "link/Unlisted.h: no target lists it"
    "outside/Cells.cpp:1: outside includes radio/Rules.h of radio, a layer above it"
    "radio/Rules.cpp:3: radio includes editor/View.h of editor, a layer above it"
    "settings/Controls.cpp: listed by the setwindow layer, but it lies in settings/"
    "settings/Controls.h: listed by the setwindow layer, but it lies in settings/"
    "settings/Store.cpp:3: settings includes settings/Controls.h of setwindow, a layer above it")

execute_process(
    COMMAND "${CMAKE_COMMAND}" "-DSOURCE_DIR=${tree}" "-DMANIFEST=${tree}/manifest.txt" -P
            "${CHECK}"
    RESULT_VARIABLE result
    OUTPUT_VARIABLE out
    ERROR_VARIABLE err)
set(output "${out}${err}")

if(result EQUAL 0)
    message(FATAL_ERROR "The check passed a tree of wrong includes:\n${output}")
endif()
foreach(line IN LISTS expected)
    string(FIND "${output}" "${line}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "The check did not say \"${line}\":\n${output}")
    endif()
endforeach()
# Every problem line names a file of the tree ("folder/File.ext:..."); no more
# than the expected ones.
string(REGEX MATCHALL "(^|\n)[a-z]+/[A-Za-z]+\\.(h|cpp)[:]" named "${output}")
list(LENGTH named count)
list(LENGTH expected wanted)
if(NOT count EQUAL wanted)
    message(FATAL_ERROR "The check named ${count} problems, ${wanted} expected:\n${output}")
endif()
message(STATUS "The check names every wrong include.")
