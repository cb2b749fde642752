# SPDX-License-Identifier: MIT
# The Windows program: one static GUI executable with its icon, version information and
# manifest, and the release files (zip and installer) made by the target windows-release.
# Included by the top-level CMakeLists.txt when building for Windows.

set_target_properties(tavimo PROPERTIES WIN32_EXECUTABLE ON)
# One file with nothing beside it: the MinGW runtime goes in too.
if(MINGW)
  target_link_options(tavimo PRIVATE -static $<$<CONFIG:Release,MinSizeRel>:-s>)
endif()
target_sources(tavimo PRIVATE app/console_windows.cpp)
# Beside Qt's default plugins, the headless platform: -platform offscreen works, as on Linux.
qt_import_plugins(tavimo INCLUDE Qt6::QOffscreenIntegrationPlugin)

# The icon is drawn from the window's own picture by the icon tool, which has to run here, on
# the build machine: the one a native build of this source tree makes (scripts/setup.sh's build/).
set(TAVIMO_ICON_TOOL "" CACHE FILEPATH
  "tavimo-icons built for the build machine (a native build's data/tavimo-icons)")
if(NOT TAVIMO_ICON_TOOL)
  message(FATAL_ERROR "The Windows build draws its icon with the icon tool built for this machine: "
    "build it natively (cmake -S . -B build-windows-host -DBUILD_TESTING=OFF && cmake --build "
    "build-windows-host -t tavimo-icons) and pass "
    "-DTAVIMO_ICON_TOOL=$PWD/build-windows-host/data/tavimo-icons")
elseif(NOT EXISTS "${TAVIMO_ICON_TOOL}")
  message(FATAL_ERROR "TAVIMO_ICON_TOOL=${TAVIMO_ICON_TOOL} does not exist: build it natively "
    "(cmake --build NATIVE_BUILD_DIR -t tavimo-icons)")
endif()

set(TAVIMO_ICO ${CMAKE_BINARY_DIR}/tavimo.ico)
add_custom_command(
  OUTPUT ${TAVIMO_ICO}
  COMMAND ${TAVIMO_ICON_TOOL} --ico ${TAVIMO_ICO}
  DEPENDS ${TAVIMO_ICON_TOOL}
  COMMENT "Drawing the Windows icon")
add_custom_target(windows-icon DEPENDS ${TAVIMO_ICO})

set(TAVIMO_MANIFEST ${CMAKE_BINARY_DIR}/tavimo.manifest)
configure_file(windows/tavimo.manifest.in ${TAVIMO_MANIFEST} @ONLY)
configure_file(windows/tavimo.rc.in ${CMAKE_BINARY_DIR}/tavimo.rc @ONLY)
target_sources(tavimo PRIVATE ${CMAKE_BINARY_DIR}/tavimo.rc)
set_source_files_properties(${CMAKE_BINARY_DIR}/tavimo.rc PROPERTIES
  OBJECT_DEPENDS "${TAVIMO_ICO};${TAVIMO_MANIFEST}")
add_dependencies(tavimo windows-icon)

# --- The release files: tavimo-VERSION-windows-x86_64.zip and tavimo-VERSION-setup.exe
set(TAVIMO_ZIP ${CMAKE_BINARY_DIR}/tavimo-${PROJECT_VERSION}-windows-x86_64.zip)
set(TAVIMO_SETUP ${CMAKE_BINARY_DIR}/tavimo-${PROJECT_VERSION}-setup.exe)
set(TAVIMO_ZIP_DIR ${CMAKE_BINARY_DIR}/zip/tavimo-${PROJECT_VERSION})

# The template's first line is its licence tag, not for readers of the zip.
file(READ windows/README.txt.in readme)
string(REGEX REPLACE "^SPDX-License-Identifier: MIT\n" "" readme "${readme}")
string(CONFIGURE "${readme}" readme @ONLY)
string(REPLACE "\n" "\r\n" readme "${readme}")
file(WRITE ${CMAKE_BINARY_DIR}/README.txt "${readme}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS windows/README.txt.in)

# What the zip and the installer hold, dated with the source and with the same modes whatever the
# umask: the zip keeps both, the installer the dates.
set(staged_exe ${TAVIMO_ZIP_DIR}/tavimo.exe)
set(staged_docs ${TAVIMO_ZIP_DIR}/LICENSE.txt ${TAVIMO_ZIP_DIR}/README.txt)
add_custom_command(
  OUTPUT ${staged_exe} ${staged_docs}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/zip
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TAVIMO_ZIP_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:tavimo> ${staged_exe}
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/LICENSE ${TAVIMO_ZIP_DIR}/LICENSE.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/README.txt ${TAVIMO_ZIP_DIR}/README.txt
  COMMAND chmod 0755 ${staged_exe}
  COMMAND chmod 0644 ${staged_docs}
  COMMAND touch -d @${TAVIMO_SOURCE_DATE} ${staged_exe} ${staged_docs}
  DEPENDS tavimo ${PROJECT_SOURCE_DIR}/LICENSE ${CMAKE_BINARY_DIR}/README.txt
  COMMENT "Putting together what the zip and the installer hold")

# Info-ZIP, told to leave out the owner and the extra times, writes nothing of the machine but the
# files' local times, given here in UTC.
find_program(ZIP zip)
set(zip_files tavimo.exe LICENSE.txt README.txt)
list(TRANSFORM zip_files PREPEND tavimo-${PROJECT_VERSION}/)
if(ZIP)
  add_custom_command(
    OUTPUT ${TAVIMO_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${TAVIMO_ZIP}
    COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/zip
            ${CMAKE_COMMAND} -E env TZ=UTC0 ${ZIP} -q -9 -X -D ${TAVIMO_ZIP} ${zip_files}
    DEPENDS ${staged_exe} ${staged_docs}
    COMMENT "Packing ${TAVIMO_ZIP}")
else()
  add_custom_command(
    OUTPUT ${TAVIMO_ZIP}
    COMMAND ${CMAKE_COMMAND} -E echo "zip was not found: install Info-ZIP (Debian: zip)"
    COMMAND ${CMAKE_COMMAND} -E false)
endif()

find_program(MAKENSIS makensis)
if(MAKENSIS)
  add_custom_command(
    OUTPUT ${TAVIMO_SETUP}
    COMMAND ${MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DEXE=${staged_exe}
            -DICON=${TAVIMO_ICO} -DLICENSE=${TAVIMO_ZIP_DIR}/LICENSE.txt -DOUTFILE=${TAVIMO_SETUP}
            ${PROJECT_SOURCE_DIR}/windows/tavimo.nsi
    DEPENDS ${staged_exe} ${staged_docs} ${TAVIMO_ICO} ${PROJECT_SOURCE_DIR}/windows/tavimo.nsi
    COMMENT "Making the installer ${TAVIMO_SETUP}")
else()
  add_custom_command(
    OUTPUT ${TAVIMO_SETUP}
    COMMAND ${CMAKE_COMMAND} -E echo "makensis was not found: install NSIS (Debian: nsis)"
    COMMAND ${CMAKE_COMMAND} -E false)
endif()
add_custom_target(windows-release DEPENDS ${TAVIMO_ZIP} ${TAVIMO_SETUP})
