#include "mainwindow/Logging.h"

Q_LOGGING_CATEGORY(lcMainwindow, "mahjong.mainwindow")
