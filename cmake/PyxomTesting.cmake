# Test helpers shared by every tests/<subsystem>/CMakeLists.txt.
enable_testing()
include(GoogleTest)

if(WIN32)
  # GoogleTest cross-built with the same toolchain.
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(PYXOM_GTEST_MAIN GTest::gtest_main)
  if(NOT TARGET GTest::gtest_main)
    set(PYXOM_GTEST_MAIN gtest_main)
  endif()
  set(PYXOM_GMOCK gmock)
else()
  find_package(GTest REQUIRED)
  set(PYXOM_GTEST_MAIN GTest::gtest_main)
  set(PYXOM_GMOCK GTest::gmock)
endif()

# pyxom_add_test(<name> SOURCES ... [LIBS ...] [LABELS ...] [MAIN]) - one GoogleTest exe.
# MAIN: the sources bring their own main(). Under the Windows build tests run through Wine.
function(pyxom_add_test name)
  cmake_parse_arguments(T "MAIN" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} ${PYXOM_GMOCK})
  if(T_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest)
  else()
    target_link_libraries(${name} PRIVATE ${PYXOM_GTEST_MAIN})
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE PYXOM_SOURCE_DIR="${CMAKE_SOURCE_DIR}" PYXOM_BINARY_DIR="${CMAKE_BINARY_DIR}")
  if(WIN32)
    target_compile_definitions(${name} PRIVATE PYXOM_DIST_DIR="${PYXOM_DIST_DIR}")
  endif()
  set(labels ${T_LABELS})
  if(WIN32)
    list(APPEND labels wine)
  else()
    list(APPEND labels native)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES LABELS "${labels}" TIMEOUT 120)
endfunction()

# pyxom_add_script_test(<name> <script> [args...]) - a bash scenario (end-to-end under Wine).
function(pyxom_add_script_test name script)
  add_test(NAME ${name} COMMAND bash ${script} ${ARGN})
  set_tests_properties(${name} PROPERTIES LABELS "wine;e2e" TIMEOUT 300
    ENVIRONMENT "PYXOM_DIST_DIR=${PYXOM_DIST_DIR};PYXOM_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endfunction()
