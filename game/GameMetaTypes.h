#pragma once

// Registers the game value types under their own names so that queued
// connections and string-based connects can carry them. Safe to call often.
void registerGameMetaTypes();
