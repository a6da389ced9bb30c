# Helpers shared by every module's CMakeLists.txt.

# mahjong_add_library(<target> [TRANSLATED] SOURCES ... [LIBS ...])
# A static library whose headers are included as "<folder>/Header.h" from the
# source root. TRANSLATED adds its sources and forms to what lupdate reads
# (see mahjong_add_lupdate).
function(mahjong_add_library target)
  cmake_parse_arguments(ARG "TRANSLATED" "" "SOURCES;LIBS" ${ARGN})
  add_library(${target} STATIC ${ARG_SOURCES})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_LIBS})
  if(ARG_TRANSLATED)
    set(translated)
    foreach(source IN LISTS ARG_SOURCES)
      if(source MATCHES "\\.(cpp|h|ui)$")
        get_filename_component(source ${source} ABSOLUTE)
        list(APPEND translated ${source})
      endif()
    endforeach()
    set_property(GLOBAL APPEND PROPERTY MAHJONG_TRANSLATED_SOURCES ${translated})
  endif()
endfunction()

# mahjong_add_lupdate(<target> <ts file> ...)
# The `update_translations` target: lupdate over the sources of every
# TRANSLATED library. Deferred to the end of the top directory so that
# libraries added after <target> are read too.
function(mahjong_add_lupdate target)
  # A deferred call reads variables when it runs: hand the values over.
  set_property(GLOBAL PROPERTY MAHJONG_LUPDATE_TARGET ${target})
  set_property(GLOBAL PROPERTY MAHJONG_LUPDATE_TS_FILES ${ARGN})
  cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL _mahjong_add_lupdate)
endfunction()

function(_mahjong_add_lupdate)
  get_property(target GLOBAL PROPERTY MAHJONG_LUPDATE_TARGET)
  get_property(ts_files GLOBAL PROPERTY MAHJONG_LUPDATE_TS_FILES)
  get_property(sources GLOBAL PROPERTY MAHJONG_TRANSLATED_SOURCES)
  qt_add_lupdate(${target}
    TS_FILES ${ts_files}
    SOURCES ${sources}
    # Our own headers only: following Qt's and Boost's makes lupdate crawl.
    INCLUDE_DIRECTORIES ${PROJECT_SOURCE_DIR}
    OPTIONS -no-obsolete)
endfunction()

# The test certificates (scripts/test-certs.sh) in <build>/test-certs, made
# once at build time: the scripted game server, the HTTPS test servers and
# the XMPP test servers all use them. Targets that need the files depend on
# mahjong_test_certs and find them in MAHJONG_TEST_CERT_DIR.
set(MAHJONG_TEST_CERT_DIR ${PROJECT_BINARY_DIR}/test-certs)
set(MAHJONG_TEST_CERT_FILES ca.crt ca.key server.crt server.key rogue.crt rogue.key)
list(TRANSFORM MAHJONG_TEST_CERT_FILES PREPEND ${MAHJONG_TEST_CERT_DIR}/)
add_custom_command(
  OUTPUT ${MAHJONG_TEST_CERT_FILES}
  COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/test-certs.sh ${MAHJONG_TEST_CERT_DIR}
          conference.localhost search.localhost
  DEPENDS ${PROJECT_SOURCE_DIR}/scripts/test-certs.sh
  COMMENT "Generating the test CA and server certificates"
  VERBATIM)
add_custom_target(mahjong_test_certs ALL DEPENDS ${MAHJONG_TEST_CERT_FILES})

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
  set_tests_properties(${name} PROPERTIES
    LABELS "${ARG_LABELS}"
    # A whole-test skip must show as skipped, never as passed.
    SKIP_REGULAR_EXPRESSION "SKIP   : [^\n]*initTestCase\\(\\)")
  _mahjong_test_setup(${name} ${ARG_TIMEOUT} "${ARG_FIXTURES}" "${ARG_ENVIRONMENT}")
endfunction()

# Headless, with its own home, settings and temporary folders, a time limit
# and the fixtures it needs: what every CTest entry of the project shares.
function(_mahjong_test_setup name timeout fixtures environment)
  set(test_home ${CMAKE_CURRENT_BINARY_DIR}/home-${name})
  set_tests_properties(${name} PROPERTIES
    TIMEOUT ${timeout}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_DISABLE_SANDBOX=1;TZ=UTC;LC_ALL=C.UTF-8;LANG=C.UTF-8;HOME=${test_home};XDG_CONFIG_HOME=${test_home}/config;XDG_CACHE_HOME=${test_home}/cache;XDG_DATA_HOME=${test_home}/data;XDG_RUNTIME_DIR=${test_home}/run;MAHJONG_SOURCE_DIR=${PROJECT_SOURCE_DIR};MAHJONG_BINARY_DIR=${PROJECT_BINARY_DIR};${environment}")
  if(fixtures)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "${fixtures}")
  endif()
  file(MAKE_DIRECTORY ${test_home}/run)
  file(CHMOD ${test_home}/run DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
endfunction()

# mahjong_add_benchmark(<name> SOURCES ... [LIBS ...] [CHECK_ARGS ...]
#                       [CHECK_OUTPUT <regex> ...] [FIXTURES ...] [ENVIRONMENT ...]
#                       [TIMEOUT s])
# A program that measures and prints its figures, run by hand for them. So
# that it cannot rot unnoticed, CTest runs it too as "<name>_check" (label
# "benchmark") with CHECK_ARGS (a few iterations: seconds, not minutes) and
# MAHJONG_BENCHMARK_CHECK=1 in its environment: the entry passes when the
# program exits with 0 (each benchmark fails on work it could not complete)
# and its output matches every CHECK_OUTPUT expression (the figures it must
# print). Its time is never checked.
function(mahjong_add_benchmark name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;CHECK_ARGS;CHECK_OUTPUT;FIXTURES;ENVIRONMENT" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}
                             ${PROJECT_SOURCE_DIR}/tests)
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  # The arguments and expressions go through a file: CTest's command line
  # would split and unescape them.
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${name}_check.cmake)
  set(content "set(CHECK_ARGS)\nset(CHECK_OUTPUT)\n")
  foreach(arg IN LISTS ARG_CHECK_ARGS)
    string(APPEND content "list(APPEND CHECK_ARGS [==[${arg}]==])\n")
  endforeach()
  foreach(pattern IN LISTS ARG_CHECK_OUTPUT)
    string(APPEND content "list(APPEND CHECK_OUTPUT [==[${pattern}]==])\n")
  endforeach()
  string(APPEND content "include([==[${PROJECT_SOURCE_DIR}/cmake/RunBenchmarkCheck.cmake]==])\n")
  file(GENERATE OUTPUT ${script} CONTENT "${content}")
  add_test(NAME ${name}_check
           COMMAND ${CMAKE_COMMAND} -DBENCHMARK=$<TARGET_FILE:${name}> -P ${script})
  set_tests_properties(${name}_check PROPERTIES LABELS benchmark)
  _mahjong_test_setup(${name}_check ${ARG_TIMEOUT} "${ARG_FIXTURES}"
                      "MAHJONG_BENCHMARK_CHECK=1;${ARG_ENVIRONMENT}")
endfunction()


# mahjong_uses_webengine(<test> ...)
# Qt WebEngine's bundled Chromium frees some of its own objects through a base
# type of another size, which AddressSanitizer reports as a new-delete type
# mismatch inside libQt6WebEngineCore (never in our code). For tests that load
# Qt WebEngine that one check is off; every other check stays on.
function(mahjong_uses_webengine)
  foreach(test IN LISTS ARGN)
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT_MODIFICATION
      "ASAN_OPTIONS=string_append::new_delete_type_mismatch=0")
  endforeach()
endfunction()
