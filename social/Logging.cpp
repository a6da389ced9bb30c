#include "social/Logging.h"

Q_LOGGING_CATEGORY(lcSocial, "mahjong.social")
