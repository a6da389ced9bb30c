#pragma once

// Registers every type that the session's signals carry, under its own name
// (and Range<int> also as "position_range_t"), so that queued connections,
// QSignalSpy and string-based connects work. Safe to call often.
void registerProtocolMetaTypes();
