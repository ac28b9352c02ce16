# Lays out an installation directory twice as the run command does: its
# layout, and a second installation that keeps the user's tariff and logs.
# Then installs as a Linux program below DESTDIR, as a packager does.
#   cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DWORK_DIR=... -P CheckInstall.cmake
function(install_into dir)
    execute_process(COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${BUILD_DIR} -DDIR=${dir}
                            -P "${SOURCE_DIR}/tools/install-directory.cmake"
                    RESULT_VARIABLE result OUTPUT_QUIET)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "tools/install-directory.cmake failed: ${result}")
    endif()
endfunction()


set(dir "${WORK_DIR}/Meterwin")
file(REMOVE_RECURSE "${WORK_DIR}")
install_into("${dir}")

foreach(file meterwin meterwin-cli Data/Meterwin.ini Help/index.htm Help/logo.png
             meterwin.desktop meterwin.png)
    if(NOT EXISTS "${dir}/${file}")
        message(FATAL_ERROR "missing from the installation: ${file}")
    endif()
endforeach()
file(GLOB logs "${dir}/Log/*")
if(NOT IS_DIRECTORY "${dir}/Log" OR logs)
    message(FATAL_ERROR "no empty Log directory: ${logs}")
endif()

file(READ "${SOURCE_DIR}/dist/Data/Meterwin.ini" shipped HEX)
file(READ "${dir}/Data/Meterwin.ini" installed HEX)
if(NOT shipped STREQUAL installed)
    message(FATAL_ERROR "the tariff differs from dist/Data/Meterwin.ini")
endif()

file(READ "${dir}/meterwin.desktop" entry)
string(FIND "${entry}" "Exec=\"${dir}/meterwin\"" exec)
string(FIND "${entry}" "Path=${dir}\n" path)
string(FIND "${entry}" "Icon=${dir}/meterwin.png" icon)
if(exec EQUAL -1 OR path EQUAL -1 OR icon EQUAL -1)
    message(FATAL_ERROR "the desktop entry does not start the program in its directory:\n${entry}")
endif()

# The user's tariff and logs survive a second installation.
file(WRITE "${dir}/Data/Meterwin.ini" "the user's tariff")
file(WRITE "${dir}/Log/Meterwin.log" "the user's results")
install_into("${dir}")
file(READ "${dir}/Data/Meterwin.ini" tariff)
file(READ "${dir}/Log/Meterwin.log" results)
if(NOT tariff STREQUAL "the user's tariff" OR NOT results STREQUAL "the user's results")
    message(FATAL_ERROR "a second installation replaced the user's tariff or logs")
endif()

# DESTDIR goes once before the prefix.
set(root "${WORK_DIR}/root")
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${root}
                        ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix /usr
                RESULT_VARIABLE result OUTPUT_QUIET)
foreach(file bin/meterwin bin/meterwin-cli share/meterwin/Meterwin.ini
             share/meterwin/Help/index.htm share/applications/meterwin.desktop)
    if(NOT result EQUAL 0 OR NOT EXISTS "${root}/usr/${file}")
        message(FATAL_ERROR "DESTDIR=${root} cmake --install: no ${root}/usr/${file}")
    endif()
endforeach()
if(EXISTS "${root}${root}")
    message(FATAL_ERROR "DESTDIR=${root} cmake --install wrote below ${root}${root}")
endif()

file(REMOVE_RECURSE "${WORK_DIR}")
message(STATUS "installation laid out and kept as expected")
