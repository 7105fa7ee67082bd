#pragma once

#include <QString>

#include <optional>

namespace dovra {

class Database;
class Workspace;

// The user data file: name rule, format version, linking, upgrade and compaction.
// Every function tells the user through the message service and reports by its result.

// The file name must start with "dbTALVOdata_" (any case) followed by at least four more characters.
bool ValidDataFileName(const QString& path);

// The name a new data file gets: ".mdb" added when it is missing, since the file dialogs list only those.
QString withDataFileExtension(const QString& path);

// The data file's format version ('versie' in tblSYS); DamagedFileVersion when the row is missing
// or holds no version. Empty when it cannot be read as a data file at all.
constexpr long DamagedFileVersion = 1000;
std::optional<long> DataFileVersion(Database& data);

// A stored format version: a whole number of digits only (spaces around it allowed) within 32 bits.
std::optional<int> formatVersionFromText(const QString& text);

// Whether the format upgrade adds column to table, so that an older file may lack it.
bool addedByUpgrade(const QString& table, const QString& column);

// Links path as the workspace's data file: checks the name, creates it from the template when isNew,
// offers to convert an older format, refuses a newer one and upgrades the file. Returns whether the
// file is now linked; on false the previous link stays as it was.
bool LinkDataFile(Workspace& workspace, const QString& path, bool isNew, bool silent);

// Brings the workspace's data file up to the current format. Returns false (with a message) when the
// file could not be changed; it is then left exactly as it was.
bool UpgradeDataFile(Workspace& workspace);

// Rewrites the file compactly under the same password, closing the workspace's connection to it
// first. The original is replaced only by a complete copy, so a failure leaves it untouched.
bool CompactDataFile(Workspace& workspace, const QString& path);

} // namespace dovra
