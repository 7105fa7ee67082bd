#pragma once

#include "exchange/recordset.h"

#include <QByteArray>

namespace dovra::exchange {

// The record set in the XML persistence format of ADO record sets, as that library saves a hierarchical
// record set: single-quoted attributes, the schema with each field's type, length, precision and flags,
// the chapters with their relations, and the rows with their child rows nested. UTF-8.
QByteArray writeAdoXml(const RecordSet& recordSet);

} // namespace dovra::exchange
