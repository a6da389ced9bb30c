#include "xmpp/Logging.h"

Q_LOGGING_CATEGORY(lcXmpp, "mahjong.xmpp")
