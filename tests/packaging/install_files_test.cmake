# Installs the build into a scratch DESTDIR and checks what lands there: exactly the expected
# files, a desktop entry whose program and icon are among them, and programs that start.
#   cmake -DBUILD_DIR=... -DWORK_DIR=... -DEXPECTED="a;b" -P install_files_test.cmake
file(REMOVE_RECURSE "${WORK_DIR}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env "DESTDIR=${WORK_DIR}" ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix /usr
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${status}):\n${output}")
endif()

file(GLOB_RECURSE installed RELATIVE "${WORK_DIR}" LIST_DIRECTORIES false "${WORK_DIR}/*")
list(SORT installed)
set(expected ${EXPECTED})
list(SORT expected)
if(NOT installed STREQUAL expected)
  string(REPLACE ";" "\n  " shown "${installed}")
  string(REPLACE ";" "\n  " wanted "${expected}")
  message(FATAL_ERROR "installed files:\n  ${shown}\nexpected:\n  ${wanted}")
endif()

set(desktop "${WORK_DIR}/usr/share/applications/zephane.desktop")
if(EXISTS "${desktop}")
  file(STRINGS "${desktop}" exec REGEX "^Exec=")
  file(STRINGS "${desktop}" icon REGEX "^Icon=")
  string(REGEX REPLACE "^Exec=([^ ]+).*" "\\1" program "${exec}")
  string(REGEX REPLACE "^Icon=" "" icon "${icon}")
  if(NOT EXISTS "${WORK_DIR}/usr/bin/${program}")
    message(FATAL_ERROR "the desktop entry runs '${program}', which is not installed")
  endif()
  if(NOT EXISTS "${WORK_DIR}/usr/share/icons/hicolor/scalable/apps/${icon}.svg")
    message(FATAL_ERROR "the desktop entry's icon '${icon}' is not installed")
  endif()
endif()

foreach(program zephane zephane-tool)
  if(EXISTS "${WORK_DIR}/usr/bin/${program}")
    execute_process(COMMAND "${WORK_DIR}/usr/bin/${program}" --help
                    RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE output)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "the installed ${program} --help failed (${status}): ${output}")
    endif()
  endif()
endforeach()
file(REMOVE_RECURSE "${WORK_DIR}")
