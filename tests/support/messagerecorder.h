#pragma once

#include "base/messageservice.h"

#include <QList>
#include <QStringList>

#include <deque>

namespace dovra {

// Keeps every message and answers from a script set in advance; for tests. Questions without a scripted
// answer take their default answer; input boxes, file and colour dialogs without one are cancelled.
class MessageRecorder : public MessageService
{
public:
    struct Message
    {
        QString text, title;
        MessageIcon icon;
        MessageButtons buttons;
        MessageAnswer answer;
    };

    // Installs itself as the message service while alive.
    MessageRecorder();
    ~MessageRecorder() override;

    MessageAnswer message(const QString& text, const QString& title, MessageIcon icon, MessageButtons buttons,
                          MessageAnswer defaultAnswer) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString openFileName(const FileDialogRequest& request) override;
    QString saveFileName(const FileDialogRequest& request) override { return openFileName(request); }
    std::optional<ColourValue> chooseColour(ColourValue initial) override;
    void setBusy(bool busy) override { m_busy += busy ? 1 : -1; }
    void clearBusy() override { m_busy = 0; }

    void answerNext(MessageAnswer answer) { m_answers.push_back(answer); }
    void answerNextFile(const QString& path) { m_files.push_back(path); }
    void answerNextInput(const QString& text) { m_inputs.push_back(text); }
    void answerNextColour(std::optional<ColourValue> colour) { m_colours.push_back(colour); }

    const QList<Message>& recorded() const { return m_messages; }
    QStringList texts() const { return field(&Message::text); }
    QStringList titles() const { return field(&Message::title); }
    const QList<FileDialogRequest>& fileRequests() const { return m_fileRequests; }
    int busyDepth() const { return m_busy; }
    void clear()
    {
        m_messages.clear();
        m_fileRequests.clear();
    }

private:
    QStringList field(QString Message::*part) const;

    MessageService* m_previous;
    QList<Message> m_messages;
    QList<FileDialogRequest> m_fileRequests;
    std::deque<MessageAnswer> m_answers;
    std::deque<QString> m_files;
    std::deque<QString> m_inputs;
    std::deque<std::optional<ColourValue>> m_colours;
    int m_busy = 0;
};

} // namespace dovra
