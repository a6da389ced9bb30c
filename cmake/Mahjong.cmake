# Helpers shared by every module's CMakeLists.txt.

# mahjong_add_library(<target> SOURCES ... [LIBS ...])
# A static library whose headers are included as "<folder>/Header.h" from the
# source root.
function(mahjong_add_library target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${target} STATIC ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_LIBS})
endfunction()

# mahjong_add_test(<name> SOURCES ... [LIBS ...] [LABELS ...] [FIXTURES ...]
#                  [ENVIRONMENT ...] [TIMEOUT s])
# A Qt Test executable registered with CTest. Tests run headless with their
# own settings and temporary directories; QSKIP is reported as a skip (exit
# code 77 via the test main wrapper below is not needed: QTest prints SKIP and
# CTest is told by SKIP_REGULAR_EXPRESSION).
function(mahjong_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS;FIXTURES;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}
                             ${PROJECT_SOURCE_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  set(test_home ${CMAKE_CURRENT_BINARY_DIR}/home-${name})
  set_tests_properties(${name} PROPERTIES
    TIMEOUT ${ARG_TIMEOUT}
    LABELS "${ARG_LABELS}"
    # A whole-test skip must show as skipped, never as passed.
    SKIP_REGULAR_EXPRESSION "SKIP   : [^\n]*initTestCase\\(\\)"
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_DISABLE_SANDBOX=1;TZ=UTC;LC_ALL=C.UTF-8;LANG=C.UTF-8;HOME=${test_home};XDG_CONFIG_HOME=${test_home}/config;XDG_CACHE_HOME=${test_home}/cache;XDG_DATA_HOME=${test_home}/data;XDG_RUNTIME_DIR=${test_home}/run;MAHJONG_SOURCE_DIR=${PROJECT_SOURCE_DIR};MAHJONG_BINARY_DIR=${PROJECT_BINARY_DIR};${ARG_ENVIRONMENT}")
  if(ARG_FIXTURES)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "${ARG_FIXTURES}")
  endif()
  file(MAKE_DIRECTORY ${test_home}/run)
  file(CHMOD ${test_home}/run DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
endfunction()
