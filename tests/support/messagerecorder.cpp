#include "support/messagerecorder.h"

namespace dovra {

namespace {

// The next scripted answer, or fallback when none is left.
template <typename T> T next(std::deque<T>& answers, T fallback)
{
    if (answers.empty())
        return fallback;
    T answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace

MessageRecorder::MessageRecorder() : m_previous(setMessageService(this)) {}

MessageRecorder::~MessageRecorder()
{
    setMessageService(m_previous);
}

MessageAnswer MessageRecorder::message(const QString& text, const QString& title, MessageIcon icon,
                                       MessageButtons buttons, MessageAnswer defaultAnswer)
{
    const MessageAnswer answer = buttons == MessageButtons::Ok ? MessageAnswer::Ok : next(m_answers, defaultAnswer);
    m_messages.append({text, title, icon, buttons, answer});
    return answer;
}

QString MessageRecorder::inputBox(const QString& prompt, const QString& title, const QString&)
{
    m_messages.append({prompt, title, MessageIcon::Question, MessageButtons::OkCancel, MessageAnswer::Ok});
    if (m_inputs.empty())
        return {};
    const QString text = m_inputs.front();
    m_inputs.pop_front();
    return text;
}

QString MessageRecorder::openFileName(const FileDialogRequest& request)
{
    m_fileRequests.append(request);
    return next(m_files, QString());
}

std::optional<ColourValue> MessageRecorder::chooseColour(ColourValue)
{
    return next(m_colours, std::optional<ColourValue>());
}

QStringList MessageRecorder::field(QString Message::*part) const
{
    QStringList list;
    for (const Message& m : m_messages)
        list.append(m.*part);
    return list;
}

} // namespace dovra
