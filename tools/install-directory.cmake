# Lays out an installation directory, the programs at its top, from a build:
#     cmake -DBUILD_DIR=build/release -DDIR=install -P tools/install-directory.cmake
#   DIR/meterwin, DIR/meterwin-cli      the window and the command-line front
#   DIR/Data/Meterwin.ini               the tariff, seeded once
#   DIR/Log/                            the logs, never touched here
#   DIR/Help/                           the help page, replaced each time
#   DIR/meterwin.desktop, meterwin.png  a desktop entry that starts it in DIR
# The build installs as a Linux program (bin/, share/meterwin/...) into a
# staging directory first, so that each file has one install rule.
if(NOT BUILD_DIR OR NOT DIR)
    message(FATAL_ERROR "usage: cmake -DBUILD_DIR=... -DDIR=... -P install-directory.cmake")
endif()
get_filename_component(dir "${DIR}" ABSOLUTE)
get_filename_component(stage "${BUILD_DIR}/installation-stage" ABSOLUTE)

file(REMOVE_RECURSE "${stage}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${stage}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install ${BUILD_DIR} failed: ${result}")
endif()
set(seed "${stage}/share/meterwin")

file(MAKE_DIRECTORY "${dir}/Data" "${dir}/Log" "${dir}/Help")
file(COPY "${stage}/bin/meterwin" "${stage}/bin/meterwin-cli" DESTINATION "${dir}")
file(COPY "${seed}/Help/" DESTINATION "${dir}/Help")
file(COPY_FILE "${stage}/share/icons/hicolor/256x256/apps/meterwin.png" "${dir}/meterwin.png")
# The tariff belongs to the user once it exists.
if(EXISTS "${dir}/Data/Meterwin.ini")
    message(STATUS "Keeping: ${dir}/Data/Meterwin.ini")
else()
    file(COPY "${seed}/Meterwin.ini" DESTINATION "${dir}/Data")
endif()
set(MW_PREFIX "${dir}")
configure_file("${CMAKE_CURRENT_LIST_DIR}/../dist/meterwin.desktop.in" "${dir}/meterwin.desktop"
               @ONLY)
file(REMOVE_RECURSE "${stage}")
