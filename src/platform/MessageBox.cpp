#include "platform/MessageBox.h"

#include "platform/WholeCharacters.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <cstdio>

namespace platform {

namespace {

StandardErrorMessageSink g_standardErrorSink;
MessageSink* g_sink = &g_standardErrorSink;

} // namespace

QList<MessageAnswer> MessageRequest::Answers() const {
    switch (buttons) {
    case MessageButtons::Ok:
        return {MessageAnswer::Ok};
    case MessageButtons::OkCancel:
        return {MessageAnswer::Ok, MessageAnswer::Cancel};
    case MessageButtons::YesNo:
        return {MessageAnswer::Yes, MessageAnswer::No};
    case MessageButtons::YesNoCancel:
        return {MessageAnswer::Yes, MessageAnswer::No, MessageAnswer::Cancel};
    case MessageButtons::RetryCancel:
        return {MessageAnswer::Retry, MessageAnswer::Cancel};
    }
    return {MessageAnswer::Ok};
}

MessageAnswer MessageRequest::DefaultAnswer() const {
    const QList<MessageAnswer> answers = Answers();
    return defaultButton >= 0 && defaultButton < answers.size() ? answers[defaultButton] : answers.front();
}

bool AskOkCancel(const QString& text, MessageIcon icon) {
    return ShowMessageBox(text, MessageButtons::OkCancel, icon) == MessageAnswer::Ok;
}

MessageAnswer ShowMessageBox(const QString& text, MessageButtons buttons, MessageIcon icon, int defaultButton) {
    MessageRequest request;
    request.text = text;
    request.buttons = buttons;
    request.icon = icon;
    request.defaultButton = defaultButton;
    return ShowMessageBox(request);
}

MessageAnswer ShowMessageBox(const MessageRequest& request) {
    return g_sink->Show(request);
}

MessageSinkInstaller::MessageSinkInstaller(MessageSink& sink) : HookInstaller(g_sink, sink) {}

MessageAnswer StandardErrorMessageSink::Show(const MessageRequest& request) {
    const QByteArray text = request.text.toUtf8();
    std::fprintf(stderr, "%s\n", text.constData());
    std::fflush(stderr);
    return request.DefaultAnswer();
}

MessageAnswer ScriptedMessageSink::Show(const MessageRequest& request) {
    m_requests.append(request);
    if (m_answers.empty())
        return request.DefaultAnswer();
    const MessageAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

QString BreakLongRuns(const QString& text, qsizetype length) {
    QString shown;
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype next = breaks.toNextBoundary();
        const qsizetype end = next < 0 ? text.size() : next;
        // The run from one place a line may break to the next.
        for (QStringView run = QStringView(text).sliced(start, end - start); !run.isEmpty();) {
            const qsizetype part =
                run.size() > length ? std::max<qsizetype>(WholeCharactersLength(run, length), 1) : run.size();
            shown += run.first(part);
            run = run.sliced(part);
            if (!run.isEmpty())
                shown += QLatin1Char('\n');
        }
        start = end;
    }
    return shown;
}

QStringList ScriptedMessageSink::Texts() const {
    QStringList texts;
    for (const MessageRequest& request : m_requests)
        texts.append(request.text);
    return texts;
}

} // namespace platform
