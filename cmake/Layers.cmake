# The layers of the source, lowest first, as docs/architecture.md draws them.
# Each entry is "folder|side": a layer is a folder of the source tree and its
# library clonara_<folder>. A file may include headers of its own layer and
# of the layers below it, on its own side or on the core side.
#
# Sides: "core" layers are GUI-free, "cli" is the command-line program,
# "gui" the desktop program's widgets. The cli and gui sides stand side by
# side on the core: neither includes the other.
set(CLONARA_LAYERS
    "outside|core"
    "radio|core"
    "document|core"
    "settings|core"
    "link|core"
    "simulator|core"
    "shell|core"
    "cli|cli"
    "widgets|gui"
    "dialogs|gui"
    "setwindow|gui"
    "editor|gui"
    "app|gui")

set(CLONARA_LAYER_FOLDERS "")
foreach(entry IN LISTS CLONARA_LAYERS)
    string(REGEX REPLACE "\\|.*" "" folder "${entry}")
    list(APPEND CLONARA_LAYER_FOLDERS ${folder})
endforeach()

# The programs, each with the layer whose folder holds its sources.
set(CLONARA_PROGRAMS
    "clonara-cli|cli"
    "clonara|app"
    "clonara-print|app")

# Qt's screen modules: core and cli files include none of their headers.
set(CLONARA_QT_SCREEN_MODULES
    QtGui QtWidgets QtPrintSupport QtOpenGL QtOpenGLWidgets QtSvg QtSvgWidgets)

# clonara_add_layer(<folder> [BELOW <layer>...] [LIBS <library>...])
#
# Makes the static library clonara_<folder>, linked (publicly) to the
# libraries of the layers directly BELOW it and to LIBS. Its include root,
# a directory of the build tree, holds a link to its own folder and to the
# folders of every layer below it, and nothing else: "#include
# "editor/MainView.h"" in a file of a lower layer is "No such file". The
# folder adds its sources to the library with target_sources().
function(clonara_add_layer folder)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "BELOW;LIBS")
    set(visible ${folder})
    foreach(below IN LISTS arg_BELOW)
        get_property(seen GLOBAL PROPERTY "clonara_layer_sees_${below}")
        if(NOT seen)
            message(FATAL_ERROR "Layer ${folder}: ${below} must be added before it")
        endif()
        list(APPEND visible ${seen})
    endforeach()
    list(REMOVE_DUPLICATES visible)
    set_property(GLOBAL PROPERTY "clonara_layer_sees_${folder}" ${visible})

    set(root "${PROJECT_BINARY_DIR}/layers/${folder}")
    file(REMOVE_RECURSE "${root}")
    file(MAKE_DIRECTORY "${root}")
    foreach(seen IN LISTS visible)
        file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${seen}" "${root}/${seen}" SYMBOLIC)
    endforeach()

    add_library(clonara_${folder} STATIC)
    target_include_directories(clonara_${folder} PUBLIC "${root}")
    list(TRANSFORM arg_BELOW PREPEND clonara_)
    target_link_libraries(clonara_${folder} PUBLIC ${arg_BELOW} ${arg_LIBS})
    clonara_warnings(clonara_${folder})
endfunction()

# Writes the file list of the layering check: one line "layer|path" for every
# source file of the layers' libraries and of the programs, naming the layer
# of the target that lists it (paths relative to the source tree), and one
# line "qt|dir" naming Qt's include directory.
function(clonara_write_layer_manifest file)
    set(targets "")
    foreach(folder IN LISTS CLONARA_LAYER_FOLDERS)
        list(APPEND targets "clonara_${folder}|${folder}")
    endforeach()
    list(APPEND targets ${CLONARA_PROGRAMS})
    set(lines "")
    foreach(entry IN LISTS targets)
        string(REPLACE "|" ";" fields "${entry}")
        list(GET fields 0 target)
        list(GET fields 1 layer)
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
            string(APPEND lines "${layer}|${source}\n")
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
