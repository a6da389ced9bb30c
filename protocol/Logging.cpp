#include "protocol/Logging.h"

Q_LOGGING_CATEGORY(lcProtocol, "mahjong.protocol")
