# Writes product_version.h from its template, at configure time and again at every build, so that
# the build number follows the source. Only a changed text is written, so an unchanged number
# rebuilds nothing.
#   cmake -DIN=<template> -DOUT=<header> -DSOURCE=<source dir> -DMAJOR=<n> -DMINOR=<n> [-DTWEAK=<n>] -P <this file>
#
# The build number is the fourth part of the project version when it has one; else the number of
# commits in the source's history (its revision); else 0.
set(PROJECT_VERSION_MAJOR "${MAJOR}")
set(PROJECT_VERSION_MINOR "${MINOR}")
set(ZV_BUILD_NUMBER "${TWEAK}")
if(NOT ZV_BUILD_NUMBER MATCHES "^[0-9]+$")
  set(ZV_BUILD_NUMBER "")
  find_program(ZV_GIT git)
  if(ZV_GIT)
    execute_process(COMMAND "${ZV_GIT}" -C "${SOURCE}" rev-list --count HEAD
                    OUTPUT_VARIABLE ZV_BUILD_NUMBER OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE ZV_GIT_RESULT ERROR_QUIET)
    if(NOT ZV_GIT_RESULT EQUAL 0 OR NOT ZV_BUILD_NUMBER MATCHES "^[0-9]+$")
      set(ZV_BUILD_NUMBER "")
    endif()
  endif()
endif()
if(ZV_BUILD_NUMBER STREQUAL "")
  set(ZV_BUILD_NUMBER 0)
endif()
configure_file("${IN}" "${OUT}")
