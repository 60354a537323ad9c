# Installs the build tree into a scratch prefix and checks what lands there:
# every file in its place, and the installed command-line tool working.
# cmake -DBUILD_DIR=... -DSCRATCH=... -P CheckInstall.cmake
file(REMOVE_RECURSE "${SCRATCH}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${SCRATCH}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

foreach(path
        bin/clonara
        bin/clonara-cli
        bin/clonara-print
        share/applications/clonara.desktop
        share/mime/packages/clonara-rdf.xml
        share/icons/hicolor/scalable/apps/clonara.svg
        share/man/man1/clonara.1.gz
        share/man/man1/clonara-cli.1.gz
        share/man/man1/clonara-print.1.gz
        share/doc/clonara/copyright
        share/doc/clonara/changelog.gz
        share/doc/clonara/help/topic101.html
        share/doc/clonara/help/topic108.html)
    if(NOT EXISTS "${SCRATCH}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()

file(READ "${SCRATCH}/share/applications/clonara.desktop" entry)
foreach(line "Exec=clonara %F" "Icon=clonara" "MimeType=application/x-clonara-rdf;")
    string(FIND "${entry}" "${line}" at)
    if(at LESS 0)
        message(FATAL_ERROR "the desktop entry lacks ${line}")
    endif()
endforeach()
foreach(page clonara.1 clonara-cli.1 clonara-print.1)
    execute_process(COMMAND gzip -dc "${SCRATCH}/share/man/man1/${page}.gz"
                    OUTPUT_VARIABLE text RESULT_VARIABLE result)
    if(NOT result EQUAL 0 OR text MATCHES "@[A-Z_]+@")
        message(FATAL_ERROR "the man page ${page} was not filled in")
    endif()
endforeach()

set(ENV{XDG_CONFIG_HOME} "${SCRATCH}/config")
execute_process(COMMAND "${SCRATCH}/bin/clonara-cli" new "${SCRATCH}/new.rdf"
                RESULT_VARIABLE result)
file(SIZE "${SCRATCH}/new.rdf" size)
if(NOT result EQUAL 0 OR NOT size EQUAL 33680)
    message(FATAL_ERROR "the installed clonara-cli could not make a new file")
endif()
file(REMOVE_RECURSE "${SCRATCH}")
