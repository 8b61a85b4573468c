#pragma once

#include "platform/HookInstaller.h"

#include <QString>
#include <QStringList>

#include <deque>

// Message boxes of the whole program go through ShowMessageBox; what actually shows them is the installed
// sink: real dialogs with a display, standard error without one, a script in tests.
namespace platform {

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MessageIcon { None, Error, Warning, Information, Question };
enum class MessageAnswer { Ok = 1, Cancel = 2, Retry = 4, Yes = 6, No = 7 };

struct MessageRequest {
    QString text;
    QString caption;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    int defaultButton = 0; // 0-based position among the buttons, as the original dialogs count them
    // Captions in place of the standard ones, in the order the buttons stand; empty for the standard ones.
    QStringList buttonTexts;

    // The answers a request offers, in the order its buttons stand.
    QList<MessageAnswer> Answers() const;
    MessageAnswer DefaultAnswer() const;
};

// What a dialog shows of a message's text: a dialog breaks its lines only where a line may break, so a run of more
// than `length` characters with no such place (a long name, a path without blanks) is broken every `length`
// characters, a pair of surrogates whole; the rest stays as it is.
inline constexpr qsizetype ShownRunLength = 80;
QString BreakLongRuns(const QString& text, qsizetype length = ShownRunLength);

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual MessageAnswer Show(const MessageRequest& request) = 0;
};

// Shows a message through the installed sink and returns the user's answer.
MessageAnswer ShowMessageBox(const QString& text, MessageButtons buttons = MessageButtons::Ok,
                             MessageIcon icon = MessageIcon::None, int defaultButton = 0);
MessageAnswer ShowMessageBox(const MessageRequest& request);
// Asks with OK and Cancel; true when the answer is OK.
bool AskOkCancel(const QString& text, MessageIcon icon = MessageIcon::Question);

// The one way to change where messages go: the sink (not owned) shows every message while the installer
// lives, and the one before it comes back when it ends. Without any, messages go to standard error.
class MessageSinkInstaller : public HookInstaller<MessageSink> {
public:
    explicit MessageSinkInstaller(MessageSink& sink);
};

// Without a display: the text goes to standard error and the default button is taken.
class StandardErrorMessageSink : public MessageSink {
public:
    MessageAnswer Show(const MessageRequest& request) override;
};

// For tests: installed while it lives; records every request and answers from a queue, taking the default
// answer when it runs dry.
class ScriptedMessageSink : public MessageSink {
public:
    ScriptedMessageSink() = default;
    ScriptedMessageSink(const ScriptedMessageSink&) = delete;
    ScriptedMessageSink& operator=(const ScriptedMessageSink&) = delete;

    void Answer(MessageAnswer answer) { m_answers.push_back(answer); }
    MessageAnswer Show(const MessageRequest& request) override;

    const QList<MessageRequest>& Requests() const { return m_requests; }
    QStringList Texts() const;

private:
    std::deque<MessageAnswer> m_answers;
    QList<MessageRequest> m_requests;
    MessageSinkInstaller m_installer{*this};
};

} // namespace platform
