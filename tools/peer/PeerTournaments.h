#pragma once

struct PeerConfig;

// Tournaments in every state for local runs (--demo), beside the two of the
// default lobby: open, closed and full, seating, paused, done, cancelled,
// free and not yet scheduled; open ones gain players as the run goes on.
void addDemoTournaments(PeerConfig &config);

// The demo's lobby as the client sees it: every table below the path the
// client subscribes ("101/Practice"), the money tables in "101/Practice/Money".
void addDemoLobby(PeerConfig &config);
