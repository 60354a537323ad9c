# The layers of the source, lowest first, as docs/architecture.md draws them.
# Each entry is "name|folder|side". A file may include headers of its own
# layer and of the layers below it, on its own side or on the core side.
#
# Sides: "core" files are GUI-free (clonara_core, clonara_simulator), "cli"
# is the command-line program, "gui" the desktop program's widgets. Which
# side a file is on comes from the target that lists it (see
# CLONARA_TARGET_SIDES); a folder may hold files of two sides, each side
# being a layer of its own.
set(CLONARA_LAYERS
    "outside|outside|core"
    "radio|radio|core"
    "document|document|core"
    "settings|settings|core"
    "link|link|core"
    "simulator|simulator|core"
    "shell|app|core"
    "cli|cli|cli"
    "widgets|widgets|gui"
    "dialogs|link|gui"
    "setwindow|settings|gui"
    "editor|editor|gui"
    "app|app|gui")

# The side of the files of each program target.
set(CLONARA_TARGET_SIDES
    "clonara_core|core"
    "clonara_simulator|core"
    "clonara-cli|cli"
    "clonara_gui|gui"
    "clonara|gui"
    "clonara-print|gui")

# Qt's screen modules: core and cli files include none of their headers.
set(CLONARA_QT_SCREEN_MODULES
    QtGui QtWidgets QtPrintSupport QtOpenGL QtOpenGLWidgets QtSvg QtSvgWidgets)

# Writes the file list of the layering check: one line "side|path" for every
# source file of the program targets (paths relative to the source tree),
# and one line "qt|dir" naming Qt's include directory.
function(clonara_write_layer_manifest file)
    set(lines "")
    foreach(entry IN LISTS CLONARA_TARGET_SIDES)
        string(REPLACE "|" ";" fields "${entry}")
        list(GET fields 0 target)
        list(GET fields 1 side)
        if(NOT TARGET ${target})
            continue()
        endif()
        get_target_property(sources ${target} SOURCES)
        get_target_property(dir ${target} SOURCE_DIR)
        foreach(source IN LISTS sources)
            if(source MATCHES "\\$<")
                continue()
            endif()
            cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY "${dir}" NORMALIZE)
            cmake_path(IS_PREFIX PROJECT_SOURCE_DIR "${source}" NORMALIZE inside)
            cmake_path(IS_PREFIX PROJECT_BINARY_DIR "${source}" NORMALIZE generated)
            if(NOT inside OR generated)
                continue()
            endif()
            cmake_path(RELATIVE_PATH source BASE_DIRECTORY "${PROJECT_SOURCE_DIR}")
            string(APPEND lines "${side}|${source}\n")
        endforeach()
    endforeach()
    get_target_property(qtdirs Qt6::Core INTERFACE_INCLUDE_DIRECTORIES)
    foreach(dir IN LISTS qtdirs)
        if(dir MATCHES "^(.*)/QtCore$")
            string(APPEND lines "qt|${CMAKE_MATCH_1}\n")
        endif()
    endforeach()
    file(CONFIGURE OUTPUT "${file}" CONTENT "${lines}" @ONLY)
endfunction()
