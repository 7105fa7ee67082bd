#include "base/unexpectederror.h"

#include "base/messageservice.h"

#include <cstring>

namespace dovra {

ErrorInfo errorFromException(const std::exception& error)
{
    if (const auto* systemError = dynamic_cast<const std::system_error*>(&error))
        return errorFromSystem(systemError->code());
    return {0, QString::fromLocal8Bit(error.what()), std::nullopt};
}

ErrorInfo errorFromSystem(const std::error_code& code)
{
    const QString text = QString::fromLocal8Bit(code.message());
    // The system knows no text for numbers outside its list; its stand-in ("Unknown error 98765") is in
    // the user's language, so the list is asked rather than the text read.
    const bool listed =
        (code.category() != std::generic_category() && code.category() != std::system_category()) ||
        strerrorname_np(code.value()) != nullptr;
    std::optional<QString> systemText;
    if (listed)
        systemText = text;
    return {code.value(), text, systemText};
}

void ReportUnexpectedError(const ErrorInfo& error, const QString& source)
{
    // The busy pointer must not stay on after an error.
    messages().clearBusy();
    const QString where = source.isEmpty() ? QStringLiteral("niet gespecificeerd") : source;
    messages().inform(QStringLiteral("Fout ") + QString::number(error.number) + QStringLiteral("\nBron: ") +
                          where,
                      error.description, MessageIcon::Critical);
    if (error.systemText)
        messages().inform(*error.systemText, QStringLiteral("OLE-automation error specificatie"),
                          MessageIcon::Critical);
}

} // namespace dovra
