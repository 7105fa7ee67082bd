#include "widgets/colours.h"

namespace dovra {

QColor toQColor(ColourValue value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

ColourValue fromQColor(const QColor& colour)
{
    return ColourValue(colour.red()) | (ColourValue(colour.green()) << 8) |
           (ColourValue(colour.blue()) << 16);
}

} // namespace dovra
