#pragma once

#include <QString>

// The application version text, e.g. "1.0.0".
QString applicationVersion();

// The build text of the log's first line: version, Qt version and build date.
QString buildText();
