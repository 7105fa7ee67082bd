#pragma once

#include "calc/uncertainty.h"

#include <QStringList>
#include <QTextStream>

#include <functional>
#include <optional>

namespace dovra {

class Workspace;

// The values a command line gives an option, the last given first; empty when it is not given.
using OptionValues = std::function<QStringList(const QString& name)>;

// The options of dovra-cli onzekerheid into settings; the message when one is wrong. Numbers are read as
// data text, with a decimal point.
std::optional<QString> readUncertaintyOptions(const OptionValues& values, UncertaintySettings& settings);

// dovra-cli onzekerheid: the uncertainty analysis of facility facilityId as the report's text or as JSON.
// Exit status 0; 1 when the checks before the calculation fail; 2 when a triangle does not hold the
// facility's own rate.
int printUncertainty(Workspace& workspace, long facilityId, const UncertaintySettings& settings, bool json,
                     QTextStream& out);

} // namespace dovra
