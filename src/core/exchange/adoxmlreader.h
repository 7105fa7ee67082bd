#pragma once

#include "exchange/recordset.h"

#include <QString>

class QIODevice;

namespace dovra::exchange {

// What reading an exchange file gave: the record set, or why it was refused.
struct ReadResult
{
    std::optional<RecordSet> recordSet;
    // In Dutch, with the line and column of the file where the fault was found, e.g.
    // "regel 12, kolom 4: ..." (a file refused for its size before reading has no place); empty on success.
    QString error;
};

// Limits that keep a hostile file from exhausting the program.
struct ReadLimits
{
    qint64 maxBytes = 50 * 1024 * 1024;
    int maxDepth = 32;       // nesting of XML elements
    qint64 maxRows = 100000; // rows at all levels together
    qint64 maxAttributeLength = 1024 * 1024;
    // Values and chapter places of all rows together, Null and empty included: a wide schema with many
    // empty rows is small on disk, not in memory.
    qint64 maxValues = 2000000;
};

// Reads a record set in the XML persistence format of ADO record sets from device.
ReadResult readAdoXml(QIODevice& device, const ReadLimits& limits = {});

} // namespace dovra::exchange
