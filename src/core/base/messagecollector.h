#pragma once

#include "base/messageservice.h"

#include <QList>

namespace dovra {

// Keeps the messages of its thread instead of showing them, while alive: a run over many facilities, also
// in a worker thread, puts each one's messages beside its result. Questions take their default answer;
// input boxes and dialogs are cancelled. Collectors nest; the innermost one collects. While one is alive,
// messages() of its thread gives it.
class MessageCollector : public MessageService
{
public:
    struct Message
    {
        QString text, title;
        MessageIcon icon;
    };

    MessageCollector();
    ~MessageCollector() override;
    MessageCollector(const MessageCollector&) = delete;
    MessageCollector& operator=(const MessageCollector&) = delete;

    MessageAnswer message(const QString& text, const QString& title, MessageIcon icon, MessageButtons buttons,
                          MessageAnswer defaultAnswer) override;
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    QString openFileName(const FileDialogRequest&) override { return {}; }
    QString saveFileName(const FileDialogRequest&) override { return {}; }
    std::optional<ColourValue> chooseColour(ColourValue) override { return std::nullopt; }
    void setBusy(bool) override {}
    void clearBusy() override {}

    const QList<Message>& collected() const { return m_messages; }

private:
    MessageService* m_previous;
    QList<Message> m_messages;
};

} // namespace dovra
