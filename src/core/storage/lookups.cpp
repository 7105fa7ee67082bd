#include "storage/lookups.h"

#include "base/messageservice.h"

#include <array>

namespace dovra {

QString ObjectCategoryName(int id)
{
    static const std::array<const char*, 7> names{"Algemeen",
                                                  "Bovenafdichting",
                                                  "Grondwatermonitoringssysteem",
                                                  "Percolaatopvangsysteem",
                                                  "Stortgasonttrekking",
                                                  "Grondwaterbeheerssysteem",
                                                  "Overig"};
    if (id < 1 || id > int(names.size()))
        return {};
    return QString::fromUtf8(names[id - 1]);
}

namespace {

// Province ids are multiples of ten; 0 means no province chosen.
constexpr std::array<const char*, 13> ProvinceNames{
    "??",        "Drenthe", "Flevoland",     "Friesland",     "Gelderland",
    "Groningen", "Limburg", "Noord-Brabant", "Noord-Holland", "Overijssel",
    "Utrecht",   "Zeeland", "Zuid-Holland"};

} // namespace

QString provinceName(int id)
{
    if (id >= 0 && id % 10 == 0 && id / 10 < int(ProvinceNames.size()))
        return QString::fromUtf8(ProvinceNames[std::size_t(id / 10)]);
    return {};
}

std::optional<int> provinceId(const QString& name)
{
    for (std::size_t k = 1; k < ProvinceNames.size(); ++k) {
        if (name.compare(QString::fromUtf8(ProvinceNames[k]), Qt::CaseInsensitive) == 0)
            return int(k) * 10;
    }
    return std::nullopt;
}

QString pfunStrProv(int id)
{
    const QString name = provinceName(id);
    if (name.isEmpty())
        messages().inform(QStringLiteral("Onbekende provincie-id in pfunStrProv"), QStringLiteral("Fout"),
                          MessageIcon::Critical);
    return name;
}

} // namespace dovra
