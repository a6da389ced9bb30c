#include "widgets/Logging.h"

Q_LOGGING_CATEGORY(lcWidgets, "mahjong.widgets")
