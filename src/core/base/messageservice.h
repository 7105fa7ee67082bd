#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>

namespace dovra {

enum class MessageIcon
{
    Critical,
    Exclamation,
    Information,
    Question
};
enum class MessageButtons
{
    Ok,
    OkCancel,
    YesNo,
    RetryDiscard
};
enum class MessageAnswer
{
    Ok,
    Cancel,
    Yes,
    No,
    Retry,
    Discard
};

// A colour as the settings and the data keep it: red + 256 * green + 65536 * blue.
using ColourValue = quint32;

struct FileDialogRequest
{
    QString title;
    // Filter pairs as "description|pattern|description|pattern|".
    QString filter;
    // Proposed file name or folder.
    QString proposed;
    bool mustExist = false;
    bool overwritePrompt = false;
};

// Everything the program must tell or ask the user goes through this service, so that the core
// never depends on widgets and tests can answer questions in advance.
class MessageService
{
public:
    virtual ~MessageService();

    virtual MessageAnswer message(const QString& text, const QString& title, MessageIcon icon,
                                  MessageButtons buttons, MessageAnswer defaultAnswer) = 0;
    // Returns the entered text; an empty text when the user cancels.
    virtual QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) = 0;
    // Return the chosen path; an empty text when the user cancels.
    virtual QString openFileName(const FileDialogRequest& request) = 0;
    virtual QString saveFileName(const FileDialogRequest& request) = 0;
    virtual std::optional<ColourValue> chooseColour(ColourValue initial) = 0;
    // The busy mouse pointer during long operations.
    virtual void setBusy(bool busy) = 0;
    // Back to the normal pointer whatever was pending (after an unexpected error).
    virtual void clearBusy() = 0;

    // Shorthands for the common cases.
    void inform(const QString& text, const QString& title, MessageIcon icon);
    bool confirmOk(const QString& text, const QString& title, MessageIcon icon);
    bool askYesNo(const QString& text, const QString& title, MessageIcon icon, MessageAnswer defaultAnswer);
};

// The service in use; the program installs one at start, tests install a recorder.
MessageService& messages();
// Installs service and returns the one it replaces (the caller keeps ownership of both).
MessageService* setMessageService(MessageService* service);

// The application title used as the default message title.
QString applicationTitle();

// Shows the busy pointer while alive; restores it also when leaving by an early return.
class BusyPointer
{
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

// Splits a "description|pattern|" filter into (description, pattern) pairs.
struct FilterEntry
{
    QString description;
    QString pattern;
};
QList<FilterEntry> parseFilter(const QString& filter);

} // namespace dovra
