#include "table/GameWindowAction.h"

GameWindowAction::~GameWindowAction() = default;
