#pragma once

#include "platform/db/Schema.h"

#include <QString>
#include <optional>

// The storage engine's version in the numbering the program checks at start-up (5.0 = 500).
namespace EngineVersion {

// The oldest version the program runs with.
constexpr int Required = 500;

// The version of the engine behind a Qt SQL driver: Required when the driver is installed and
// loads; none when it is missing or cannot be loaded, so the engine cannot be asked.
std::optional<int> OfDriver(const QString &driverName);
// The same for the driver of an engine kind (QSQLITE or QPSQL).
std::optional<int> OfEngine(EngineKind engine);

} // namespace EngineVersion
