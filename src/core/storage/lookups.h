#pragma once

#include <QString>

#include <optional>

namespace dovra {

// The fixed id-to-name lists that the data file's tblObjectCat and tblProv also hold.
QString ObjectCategoryName(int id);
// The province name of id; for an unknown id a message and an empty text.
QString pfunStrProv(int id);
// The same without a message.
QString provinceName(int id);
// The id of a province name, compared without regard to case; empty for an unknown name.
std::optional<int> provinceId(const QString& name);

} // namespace dovra
