#include "model/options.h"

#include <array>

namespace dovra {

QString RubriekNaam(int rubric)
{
    static const std::array<const char*, 6> names{"Instandhouden", "Controlemetingen", "Inspecties",
                                                  "Onderhoud",     "Vervanging",       "Overig"};
    if (rubric < 1 || rubric > int(names.size()))
        return {};
    return QString::fromUtf8(names[rubric - 1]);
}

} // namespace dovra
