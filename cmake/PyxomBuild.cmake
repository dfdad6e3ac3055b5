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

# pyxom_add_test(<name> SOURCES ... [LIBS ...] [LABELS ...] [MAIN] [LOCK <resource>])
# MAIN: the sources bring their own main(). LOCK: tests that must not run at the same time as
# other tests holding the same lock (every test that starts pyxom.exe uses LOCK pyxom_instance:
# the program is single-instance). Under the Windows build tests run through Wine.
function(pyxom_add_test name)
  cmake_parse_arguments(T "MAIN" "LOCK" "SOURCES;LIBS;LABELS" ${ARGN})
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
  set(lock_props)
  if(T_LOCK)
    set(lock_props RESOURCE_LOCK ${T_LOCK})
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES LABELS "${labels}" TIMEOUT 120 ${lock_props})
endfunction()

# pyxom_add_script_test(<name> <script> [args...]) - a bash scenario (end-to-end under Wine).
function(pyxom_add_script_test name script)
  add_test(NAME ${name} COMMAND bash ${script} ${ARGN})
  set_tests_properties(${name} PROPERTIES LABELS "wine;e2e" TIMEOUT 300 RESOURCE_LOCK pyxom_instance
    ENVIRONMENT "PYXOM_DIST_DIR=${PYXOM_DIST_DIR};PYXOM_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endfunction()

# pyxom_subsystem(<name> [DEPS ...] [WIN32_LIBS ...])
# src/<name>/*.cpp (and subfolders other than win32/) form the portable library pyxom_<name>;
# src/<name>/win32/*.cpp form pyxom_<name>_win32 in the Windows build. Files are globbed so
# that adding a file never needs an edit here.
function(pyxom_subsystem name)
  cmake_parse_arguments(S "" "" "DEPS;WIN32_LIBS" ${ARGN})
  file(GLOB_RECURSE portable CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER portable EXCLUDE REGEX "/win32/")
  if(portable)
    add_library(pyxom_${name} STATIC ${portable})
  else()
    add_library(pyxom_${name} INTERFACE)
  endif()
  get_target_property(kind pyxom_${name} TYPE)
  if(kind STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(pyxom_${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(pyxom_${name} INTERFACE ${S_DEPS})
  else()
    target_include_directories(pyxom_${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(pyxom_${name} PUBLIC ${S_DEPS})
  endif()
  if(WIN32)
    file(GLOB_RECURSE shell CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/win32/*.cpp)
    if(shell)
      add_library(pyxom_${name}_win32 STATIC ${shell})
      target_link_libraries(pyxom_${name}_win32 PUBLIC pyxom_${name} ${S_WIN32_LIBS})
    endif()
  endif()
endfunction()

# pyxom_subsystem_tests(<name> [LIBS ...] [WIN32_LIBS ...])
# tests/<name>/*_test.cpp: one native exe (also built and run under Wine in the Windows build,
# so portable code is checked on both compilers); tests/<name>/win32/*_test.cpp: one Windows exe.
function(pyxom_subsystem_tests name)
  cmake_parse_arguments(T "" "" "LIBS;WIN32_LIBS" ${ARGN})
  file(GLOB portable CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  if(portable)
    pyxom_add_test(${name}_tests SOURCES ${portable} LIBS ${T_LIBS})
  endif()
  if(WIN32)
    file(GLOB shell CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/win32/*_test.cpp)
    if(shell)
      # Windows tests show windows, capture the screen or move the pointer: one at a time, and
      # never beside a running pyxom.exe.
      pyxom_add_test(${name}_win32_tests SOURCES ${shell} LIBS ${T_LIBS} ${T_WIN32_LIBS} LABELS win32
                     LOCK pyxom_instance)
    endif()
  endif()
endfunction()
