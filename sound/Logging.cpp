#include "sound/Logging.h"

Q_LOGGING_CATEGORY(lcSound, "mahjong.sound")
