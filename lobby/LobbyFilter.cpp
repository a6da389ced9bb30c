#include "lobby/LobbyFilter.h"

LobbyFilter::~LobbyFilter() = default;
