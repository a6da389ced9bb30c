#pragma once

struct PeerConfig;

// Tournaments in every state for local runs (--demo), beside the two of the
// default lobby: open, closed and full, seating, paused, done, cancelled,
// free and not yet scheduled.
void addDemoTournaments(PeerConfig &config);
