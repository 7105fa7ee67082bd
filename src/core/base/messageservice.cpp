#include "base/messageservice.h"

#include "base/messagecollector.h"
#include "base/stderrmessages.h"

#include <QStringList>

namespace dovra {

namespace {
StderrMessages fallbackService;
MessageService* currentService = nullptr;
thread_local MessageService* threadService = nullptr;
} // namespace

MessageService::~MessageService() = default;

void MessageService::inform(const QString& text, const QString& title, MessageIcon icon)
{
    message(text, title, icon, MessageButtons::Ok, MessageAnswer::Ok);
}

bool MessageService::confirmOk(const QString& text, const QString& title, MessageIcon icon)
{
    return message(text, title, icon, MessageButtons::OkCancel, MessageAnswer::Ok) == MessageAnswer::Ok;
}

bool MessageService::askYesNo(const QString& text, const QString& title, MessageIcon icon,
                              MessageAnswer defaultAnswer)
{
    return message(text, title, icon, MessageButtons::YesNo, defaultAnswer) == MessageAnswer::Yes;
}

MessageService& messages()
{
    if (threadService)
        return *threadService;
    return currentService ? *currentService : fallbackService;
}

MessageService* setMessageService(MessageService* service)
{
    MessageService* previous = currentService;
    currentService = service;
    return previous;
}

MessageCollector::MessageCollector() : m_previous(threadService)
{
    threadService = this;
}

MessageCollector::~MessageCollector()
{
    threadService = m_previous;
}

MessageAnswer MessageCollector::message(const QString& text, const QString& title, MessageIcon icon,
                                        MessageButtons buttons, MessageAnswer defaultAnswer)
{
    m_messages.append({text, title, icon});
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : defaultAnswer;
}

QString applicationTitle()
{
    return QStringLiteral("DOVRA");
}

BusyPointer::BusyPointer()
{
    messages().setBusy(true);
}

BusyPointer::~BusyPointer()
{
    messages().setBusy(false);
}

QList<FilterEntry> parseFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QList<FilterEntry> entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (!parts[i].isEmpty() || !parts[i + 1].isEmpty())
            entries.append({parts[i], parts[i + 1]});
    }
    return entries;
}

} // namespace dovra
