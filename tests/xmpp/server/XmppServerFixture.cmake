# mahjong_add_xmpp_server(<fixture> [PLAIN] [SCRIPT file] [USERS user:password ...])
# Registers a CTest fixture named <fixture>: a setup test that starts a private
# Prosody on a free loopback port and a cleanup test that stops it. Tests that
# list <fixture> in FIXTURES find the server through the environment entry
# returned in <fixture>_ENV (MAHJONG_XMPP_SERVER_DIR=<state dir>); the state
# directory holds "port", "ca.crt", "domain" and "users" (see xmpp-server.sh).
# SCRIPT names another start/stop script with the same arguments (a wrapper
# that adds to the server, such as ../server-ext/xmpp-server-ext.sh).
set(MAHJONG_XMPP_SERVER_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/xmpp-server.sh)

function(mahjong_add_xmpp_server fixture)
  cmake_parse_arguments(ARG "PLAIN" "SCRIPT" "USERS" ${ARGN})
  if(NOT ARG_SCRIPT)
    set(ARG_SCRIPT ${MAHJONG_XMPP_SERVER_SCRIPT})
  endif()
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/xmpp-server-${fixture})
  set(extra)
  if(ARG_PLAIN)
    list(APPEND extra --plain)
  endif()
  add_test(NAME ${fixture}_start
           COMMAND bash ${ARG_SCRIPT} start ${dir} ${extra} ${ARG_USERS})
  add_test(NAME ${fixture}_stop
           COMMAND bash ${ARG_SCRIPT} stop ${dir})
  set_tests_properties(${fixture}_start PROPERTIES FIXTURES_SETUP ${fixture}
                       TIMEOUT 60 LABELS "fixture"
                       ENVIRONMENT "MAHJONG_TEST_CERT_DIR=${MAHJONG_TEST_CERT_DIR}")
  set_tests_properties(${fixture}_stop PROPERTIES FIXTURES_CLEANUP ${fixture}
                       TIMEOUT 60 LABELS "fixture")
  set(${fixture}_ENV "MAHJONG_XMPP_SERVER_DIR=${dir};MAHJONG_XMPP_SERVER_SCRIPT=${ARG_SCRIPT}" PARENT_SCOPE)
endfunction()
