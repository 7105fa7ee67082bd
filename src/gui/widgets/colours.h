#pragma once

#include "base/messageservice.h"

#include <QColor>

namespace dovra {

// Colours are kept as red + 256 * green + 65536 * blue.
QColor toQColor(ColourValue value);
ColourValue fromQColor(const QColor& colour);

} // namespace dovra
