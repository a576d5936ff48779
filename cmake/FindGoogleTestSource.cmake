# GoogleTest for a cross build: its sources, built here by the cross compiler as part of the
# project, since a library built for this machine cannot be linked into Windows programs.
# Looked for as <prefix>/src/googletest under the system's prefixes (Debian's package googletest
# puts them in /usr/src/googletest); GoogleTestSource_DIR names another tree. Defines
# GTest::gtest and GTest::gtest_main, as find_package(GTest) does for a native build.

set(_zelvo_googletest_places)
foreach(prefix IN LISTS CMAKE_SYSTEM_PREFIX_PATH)
  list(APPEND _zelvo_googletest_places "${prefix}/src/googletest")
endforeach()
# The sources are of this machine, not of the target's root.
find_path(GoogleTestSource_DIR NAMES googletest/include/gtest/gtest.h
  PATHS ${_zelvo_googletest_places} NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
  DOC "GoogleTest's source tree (with googletest/ in it)")
unset(_zelvo_googletest_places)

if(GoogleTestSource_DIR)
  file(STRINGS "${GoogleTestSource_DIR}/CMakeLists.txt" _zelvo_googletest_version
    REGEX "^set\\(GOOGLETEST_VERSION ")
  string(REGEX REPLACE "^set\\(GOOGLETEST_VERSION ([^)]*)\\).*" "\\1" GoogleTestSource_VERSION
    "${_zelvo_googletest_version}")
  unset(_zelvo_googletest_version)
endif()

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(GoogleTestSource
  REQUIRED_VARS GoogleTestSource_DIR
  VERSION_VAR GoogleTestSource_VERSION
  REASON_FAILURE_MESSAGE "install Debian's package googletest, or set GoogleTestSource_DIR")

if(GoogleTestSource_FOUND AND NOT TARGET GTest::gtest)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory("${GoogleTestSource_DIR}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
endif()
