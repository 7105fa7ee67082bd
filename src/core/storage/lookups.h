#pragma once

#include <QString>

namespace dovra {

// The fixed id-to-name lists that the data file's tblObjectCat and tblProv also hold.
QString ObjectCategoryName(int id);
// The province name of id; for an unknown id a message and an empty text.
QString pfunStrProv(int id);

} // namespace dovra
