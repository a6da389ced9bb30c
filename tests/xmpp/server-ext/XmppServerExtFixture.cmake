# mahjong_add_xmpp_server_ext(<fixture> [PLAIN] [USERS user:password ...])
# Like mahjong_add_xmpp_server (../server/XmppServerFixture.cmake), with the
# test search component "search.localhost" added to the server. The test
# environment is returned in <fixture>_ENV.
set(MAHJONG_XMPP_SERVER_EXT_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/xmpp-server-ext.sh)

function(mahjong_add_xmpp_server_ext fixture)
  cmake_parse_arguments(ARG "PLAIN" "" "USERS" ${ARGN})
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/xmpp-server-${fixture})
  set(extra)
  if(ARG_PLAIN)
    list(APPEND extra --plain)
  endif()
  add_test(NAME ${fixture}_start
           COMMAND ${MAHJONG_XMPP_SERVER_EXT_SCRIPT} start ${dir} ${extra} ${ARG_USERS})
  add_test(NAME ${fixture}_stop
           COMMAND ${MAHJONG_XMPP_SERVER_EXT_SCRIPT} stop ${dir})
  set_tests_properties(${fixture}_start PROPERTIES FIXTURES_SETUP ${fixture}
                       TIMEOUT 60 LABELS "fixture")
  set_tests_properties(${fixture}_stop PROPERTIES FIXTURES_CLEANUP ${fixture}
                       TIMEOUT 60 LABELS "fixture")
  set(${fixture}_ENV "MAHJONG_XMPP_SERVER_DIR=${dir}" PARENT_SCOPE)
endfunction()
