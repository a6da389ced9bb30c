# mahjong_add_xmpp_server_ext(<fixture> [PLAIN] [USERS user:password ...])
# Like mahjong_add_xmpp_server (../server/XmppServerFixture.cmake), with the
# test search component "search.localhost" added to the server. The test
# environment is returned in <fixture>_ENV.
include(${CMAKE_CURRENT_LIST_DIR}/../server/XmppServerFixture.cmake)
set(MAHJONG_XMPP_SERVER_EXT_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/xmpp-server-ext.sh)

function(mahjong_add_xmpp_server_ext fixture)
  mahjong_add_xmpp_server(${fixture} SCRIPT ${MAHJONG_XMPP_SERVER_EXT_SCRIPT} ${ARGN})
  set(${fixture}_ENV "${${fixture}_ENV}" PARENT_SCOPE)
endfunction()
