# SPDX-License-Identifier: MIT
# The program's texts in each language that has a translations/tavimo_LANGUAGE.ts, built into the
# program: it reads no file of its own at run time. Qt's own texts for the same languages are built
# in only where Qt is (Windows).
# `cmake --build build -t update_translations` brings the .ts files up to date with the sources.
# Included where tavimo_core is made: resources made for it elsewhere would be built by two
# targets at once, and a parallel build could compile a half-written one.
file(GLOB ts_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/translations/tavimo_*.ts)
set(languages)
foreach(ts ${ts_files})
  string(REGEX REPLACE ".*/tavimo_(.*)\\.ts$" "\\1" language ${ts})
  list(APPEND languages ${language})
endforeach()
get_target_property(core_sources tavimo_core SOURCES)
get_target_property(app_sources tavimo SOURCES)
set(sources)
foreach(source ${core_sources} ${app_sources})
  if(source MATCHES "\\.(cpp|h)$")
    list(APPEND sources ${PROJECT_SOURCE_DIR}/${source})
  endif()
endforeach()
qt_add_translations(tavimo_core TS_FILES ${ts_files} SOURCES ${sources}
  RESOURCE_PREFIX /translations LUPDATE_OPTIONS -no-obsolete -locations none
  OUTPUT_TARGETS resource_targets)

# Qt's own texts (a message box's buttons) come with the Qt the program runs with: on a Linux
# system, where the system keeps them (Debian: qt6-translations-l10n). A Windows build carries Qt
# inside it, and so carries Qt's translations too, taken from the system that builds it.
if(WIN32)
  set(qt_translations /usr/share/qt6/translations)
  set(qt_qm_files)
  foreach(language ${languages})
    if(EXISTS "${qt_translations}/qtbase_${language}.qm")
      list(APPEND qt_qm_files "${qt_translations}/qtbase_${language}.qm")
    endif()
  endforeach()
  if(qt_qm_files)
    qt_add_resources(tavimo_core qt_translations PREFIX /translations BASE "${qt_translations}"
      FILES ${qt_qm_files} OUTPUT_TARGETS qt_resource_targets)
    list(APPEND resource_targets ${qt_resource_targets})
  else()
    message(WARNING "Qt's own translations were not found (qt6-translations-l10n): "
      "message boxes will show Qt's English buttons")
  endif()
endif()

# Data, not code: nothing in them for moc to find.
if(resource_targets)
  set_target_properties(${resource_targets} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
endif()

# Checked where the sources are built for their own system; a cross-build checks the same files.
if(BUILD_TESTING AND NOT CMAKE_CROSSCOMPILING)
  add_test(NAME translations.complete
    COMMAND sh ${PROJECT_SOURCE_DIR}/tests/translations/complete.sh $<TARGET_FILE:Qt6::lupdate>
            ${PROJECT_SOURCE_DIR} ${ts_files})
  set_tests_properties(translations.complete PROPERTIES LABELS unit)
endif()
