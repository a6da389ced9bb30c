#include "scene/Logging.h"

Q_LOGGING_CATEGORY(lcScene, "mahjong.scene")
