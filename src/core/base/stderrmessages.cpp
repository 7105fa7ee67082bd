#include "base/stderrmessages.h"

#include <cstdio>

namespace dovra {

MessageAnswer StderrMessages::message(const QString& text, const QString& title, MessageIcon,
                                      MessageButtons buttons, MessageAnswer defaultAnswer)
{
    // One line per message, so that scripts can read it.
    QString line = title + QStringLiteral(": ") + text;
    line.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
    // Nobody can answer: a retry would never end.
    if (buttons == MessageButtons::RetryDiscard)
        return MessageAnswer::Discard;
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : defaultAnswer;
}

QString StderrMessages::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    message(prompt, title, MessageIcon::Question, MessageButtons::Ok, MessageAnswer::Ok);
    return defaultText;
}

} // namespace dovra
