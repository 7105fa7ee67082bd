#pragma once

#include <optional>

namespace dovra {

// Within a checklist range, compared exactly in single precision: at or above min (at or above 0 without
// a min, since no criterion allows negative amounts) and at or below max.
bool InBereik(float value, std::optional<float> min, std::optional<float> max);

} // namespace dovra
