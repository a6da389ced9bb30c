#include "tournaments/Logging.h"

Q_LOGGING_CATEGORY(lcTournaments, "mahjong.tournaments")
