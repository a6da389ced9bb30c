#include "game/Logging.h"

Q_LOGGING_CATEGORY(lcGame, "mahjong.game")
