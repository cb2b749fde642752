# SPDX-License-Identifier: MIT
# The one date the build writes wherever a tool would write a file's time or its own (Qt's
# resources, the Windows program's header, the zip and the installer), so that the same source
# gives the same bytes: SOURCE_DATE_EPOCH where the caller sets it (dpkg-buildpackage does, from
# debian/changelog); otherwise the last commit's date in a git checkout; otherwise the date
# scripts/release.sh wrote into the release (.tarball-date). Sets TAVIMO_SOURCE_DATE, in seconds
# since 1970.
set(TAVIMO_SOURCE_DATE "")
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(TAVIMO_SOURCE_DATE "$ENV{SOURCE_DATE_EPOCH}")
  set(source_date_from "SOURCE_DATE_EPOCH")
endif()

# The tree's own git, not that of a folder it was unpacked into.
find_package(Git QUIET)
if(NOT TAVIMO_SOURCE_DATE AND GIT_EXECUTABLE)
  execute_process(COMMAND ${GIT_EXECUTABLE} -C ${PROJECT_SOURCE_DIR} rev-parse --show-toplevel
    OUTPUT_VARIABLE top OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE status)
  if(status EQUAL 0 AND top STREQUAL PROJECT_SOURCE_DIR)
    execute_process(COMMAND ${GIT_EXECUTABLE} -C ${PROJECT_SOURCE_DIR} log -1 --format=%ct
      OUTPUT_VARIABLE TAVIMO_SOURCE_DATE OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    set(source_date_from "the last commit")
    # A new commit, or another one checked out, means another date.
    execute_process(COMMAND ${GIT_EXECUTABLE} -C ${PROJECT_SOURCE_DIR} rev-parse
      --path-format=absolute --git-path logs/HEAD
      OUTPUT_VARIABLE head_log OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(head_log AND EXISTS "${head_log}")
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${head_log}")
    endif()
  endif()
endif()

if(NOT TAVIMO_SOURCE_DATE AND EXISTS ${PROJECT_SOURCE_DIR}/.tarball-date)
  file(STRINGS ${PROJECT_SOURCE_DIR}/.tarball-date TAVIMO_SOURCE_DATE LIMIT_COUNT 1)
  set(source_date_from ".tarball-date")
endif()

if(NOT TAVIMO_SOURCE_DATE)
  string(TIMESTAMP TAVIMO_SOURCE_DATE "%s" UTC)
  message(STATUS "Source date: none found (no SOURCE_DATE_EPOCH, git or .tarball-date), "
    "so the time of configuring: this build will not be reproducible")
elseif(NOT TAVIMO_SOURCE_DATE MATCHES "^[0-9]+$")
  message(FATAL_ERROR "The source date from ${source_date_from} is not a number of seconds: "
    "${TAVIMO_SOURCE_DATE}")
else()
  message(STATUS "Source date: ${TAVIMO_SOURCE_DATE}, from ${source_date_from}")
endif()

# Qt's rcc and MinGW's linker read SOURCE_DATE_EPOCH; every rule the build runs is handed it, not
# only those the caller happens to run with it set.
set(source_date_env "${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${TAVIMO_SOURCE_DATE}")
set_property(GLOBAL PROPERTY RULE_LAUNCH_CUSTOM "${source_date_env}")
set_property(GLOBAL PROPERTY RULE_LAUNCH_LINK "${source_date_env}")
