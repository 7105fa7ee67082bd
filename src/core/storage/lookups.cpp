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

QString pfunStrProv(int id)
{
    // Province ids are multiples of ten; 0 means no province chosen.
    static const std::array<const char*, 13> names{
        "??",        "Drenthe", "Flevoland",     "Friesland",     "Gelderland",
        "Groningen", "Limburg", "Noord-Brabant", "Noord-Holland", "Overijssel",
        "Utrecht",   "Zeeland", "Zuid-Holland"};
    if (id >= 0 && id % 10 == 0 && id / 10 < int(names.size()))
        return QString::fromUtf8(names[id / 10]);
    messages().inform(QStringLiteral("Onbekende provincie-id in pfunStrProv"), QStringLiteral("Fout"),
                      MessageIcon::Critical);
    return {};
}

} // namespace dovra
