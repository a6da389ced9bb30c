#pragma once

#include <QtGlobal>

#include <vector>

// The body of one received frame; its first byte is the class id.
typedef std::vector<quint8> message_t;
