#include "table/Logging.h"

Q_LOGGING_CATEGORY(lcTable, "mahjong.table")
