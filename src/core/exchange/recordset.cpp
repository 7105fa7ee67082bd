#include "exchange/recordset.h"

namespace dovra::exchange {

std::optional<std::size_t> RecordSet::fieldIndex(const QString& name) const
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return std::nullopt;
}

} // namespace dovra::exchange
