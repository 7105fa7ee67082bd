#pragma once

#include <QString>
#include <QStringList>

#include <variant>

namespace dovra::runupd {

// What the program hands the updater: "[--wacht SECONDS] EXECUTABLE|CAPTION".
struct Arguments
{
    static constexpr int DefaultWaitSeconds = 30;

    int waitSeconds = DefaultWaitSeconds;
    QString executable; // absolute path of the program to replace and restart
    QString caption;    // the main window's caption, to name the program in messages
};

// The arguments without the program name; a Dutch message when they are missing or malformed.
std::variant<Arguments, QString> parseArguments(const QStringList& arguments);

} // namespace dovra::runupd
