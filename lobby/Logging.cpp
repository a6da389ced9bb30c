#include "lobby/Logging.h"

Q_LOGGING_CATEGORY(lcLobby, "mahjong.lobby")
