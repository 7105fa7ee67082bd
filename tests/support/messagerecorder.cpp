#include "support/messagerecorder.h"

namespace dovra {

MessageRecorder::MessageRecorder() : m_previous(setMessageService(this)) {}

MessageRecorder::~MessageRecorder()
{
    setMessageService(m_previous);
}

MessageAnswer MessageRecorder::message(const QString& text, const QString& title, MessageIcon icon,
                                       MessageButtons buttons, MessageAnswer defaultAnswer)
{
    MessageAnswer answer = defaultAnswer;
    if (buttons != MessageButtons::Ok && !m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    }
    if (buttons == MessageButtons::Ok)
        answer = MessageAnswer::Ok;
    m_messages.append({text, title, icon, buttons, answer});
    return answer;
}

QString MessageRecorder::inputBox(const QString& prompt, const QString& title, const QString&)
{
    m_messages.append({prompt, title, MessageIcon::Question, MessageButtons::OkCancel, MessageAnswer::Ok});
    if (m_inputs.empty())
        return {};
    QString text = m_inputs.front();
    m_inputs.pop_front();
    return text;
}

QString MessageRecorder::openFileName(const FileDialogRequest& request)
{
    m_fileRequests.append(request);
    if (m_files.empty())
        return {};
    QString path = m_files.front();
    m_files.pop_front();
    return path;
}

QString MessageRecorder::saveFileName(const FileDialogRequest& request)
{
    return openFileName(request);
}

std::optional<ColourValue> MessageRecorder::chooseColour(ColourValue)
{
    if (m_colours.empty())
        return std::nullopt;
    auto colour = m_colours.front();
    m_colours.pop_front();
    return colour;
}

void MessageRecorder::setBusy(bool busy)
{
    m_busy += busy ? 1 : -1;
}

QStringList MessageRecorder::texts() const
{
    QStringList list;
    for (const auto& m : m_messages)
        list.append(m.text);
    return list;
}

QStringList MessageRecorder::titles() const
{
    QStringList list;
    for (const auto& m : m_messages)
        list.append(m.title);
    return list;
}

void MessageRecorder::clear()
{
    m_messages.clear();
    m_fileRequests.clear();
}

} // namespace dovra
