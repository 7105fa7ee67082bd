#pragma once

#include <QString>

#include <exception>
#include <optional>
#include <system_error>

namespace dovra {

// An error nobody planned for, as the user is told of it.
struct ErrorInfo
{
    int number = 0;
    QString description;               // the standard description, shown as the title
    std::optional<QString> systemText; // the operating system's own text for the number, if any
};

ErrorInfo errorFromException(const std::exception& error);
ErrorInfo errorFromSystem(const std::error_code& code);

// The shared report of unexpected errors: "Fout <nr>" and the failing routine, and the
// operating system's text in a second message when it has one.
void ReportUnexpectedError(const ErrorInfo& error, const QString& source = {});

} // namespace dovra
