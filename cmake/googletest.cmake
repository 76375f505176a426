# GoogleTest from the Debian sources when present (Linux, cross builds);
# otherwise an installed package, and as a last resort a download (Windows).
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)

set(QB_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
if(EXISTS ${QB_GTEST_SOURCE}/CMakeLists.txt)
  add_subdirectory(${QB_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest QUIET)
  if(NOT GTest_FOUND)
    include(FetchContent)
    FetchContent_Declare(googletest
      URL https://github.com/google/googletest/archive/refs/tags/v1.14.0.zip)
    FetchContent_MakeAvailable(googletest)
  endif()
endif()
if(TARGET gtest AND NOT TARGET GTest::gtest)
  add_library(GTest::gtest ALIAS gtest)
  add_library(GTest::gtest_main ALIAS gtest_main)
endif()
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND TARGET gtest)
  # GoogleTest's own sources trip some of our stricter warnings.
  target_compile_options(gtest PRIVATE -w)
  target_compile_options(gtest_main PRIVATE -w)
endif()
