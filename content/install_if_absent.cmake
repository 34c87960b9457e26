# cmake -DSOURCE=file -DTARGET=file -P install_if_absent.cmake
# Copies SOURCE to TARGET only when TARGET does not exist (and SOURCE does).
if(EXISTS "${SOURCE}" AND NOT EXISTS "${TARGET}")
    get_filename_component(dir "${TARGET}" DIRECTORY)
    file(COPY_FILE "${SOURCE}" "${TARGET}")
    message(STATUS "Installed ${TARGET}")
endif()
