# Builds the Debian package into a scratch folder and checks it: lintian
# reports no error and no warning, and desktop-file-validate finds nothing in
# the desktop entry, hints included.
# cmake -DBUILD_DIR=... -DSCRATCH=... -DLINTIAN=... -DDESKTOP_FILE_VALIDATE=...
#       -DDESKTOP_FILE=... -P CheckPackage.cmake
file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
execute_process(COMMAND cpack -G DEB -B "${SCRATCH}" --config "${BUILD_DIR}/CPackConfig.cmake"
                WORKING_DIRECTORY "${BUILD_DIR}" RESULT_VARIABLE result OUTPUT_VARIABLE log
                ERROR_VARIABLE log)
file(GLOB packages "${SCRATCH}/*.deb")
if(NOT result EQUAL 0 OR NOT packages)
    message(FATAL_ERROR "the package could not be built:\n${log}")
endif()

execute_process(COMMAND "${LINTIAN}" --fail-on error,warning --tag-display-limit 0 ${packages}
                RESULT_VARIABLE result OUTPUT_VARIABLE report ERROR_VARIABLE report)
string(REGEX MATCHALL "(^|\n)[EW]: [^\n]*" findings "${report}")
if(NOT result EQUAL 0 OR findings)
    message(FATAL_ERROR "lintian:\n${report}")
endif()

execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${DESKTOP_FILE}"
                RESULT_VARIABLE result OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(NOT result EQUAL 0 OR NOT report STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate:\n${report}")
endif()
file(REMOVE_RECURSE "${SCRATCH}")
