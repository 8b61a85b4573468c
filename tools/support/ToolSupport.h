#pragma once

#include "model/DocumentFile.h"
#include "platform/FileReplacement.h"
#include "platform/MessageBox.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

class CDocumentData;

// What the test tools share: a run without a display, UTF-8 output, usage lines, documents loaded as the
// editor loads them.
namespace tools {

// Ends the process, as a kill would, once a write in place has written the given number of bytes of the backup
// and the file: the fault a test of interrupted saves injects through NUV_STOP_AFTER_BYTES.
class StopAfterBytes : public platform::InPlaceWriteHook {
public:
    explicit StopAfterBytes(qint64 bytes) : m_bytes(bytes) {}
    qint64 Writing(qint64 done, qint64 wanted) override;

    // The status of a process ended so.
    static constexpr int kStatus = 86;

private:
    qint64 m_bytes;
    platform::InPlaceWriteHookInstaller m_installer{*this};
};

// The application object of a tool. A tool never shows a window: Qt gets its offscreen platform and every
// message goes to standard error, taking its default button.
class ToolApplication {
public:
    ToolApplication(int& argc, char** argv);

    // The command line after the program's name (see ToolArguments).
    QStringList Arguments() const { return m_arguments; }

private:
    static int& PrepareHeadless(int& argc);

    QCoreApplication m_application;
    QStringList m_arguments;
    std::optional<StopAfterBytes> m_stop;
};

// Messages to standard error like the headless sink, with the questions answered as a tool's "--answer ok|cancel"
// says: ok takes OK or Yes, cancel takes Cancel or No, wherever the message offers it; else its default.
class AnsweringMessageSink : public platform::StandardErrorMessageSink {
public:
    explicit AnsweringMessageSink(bool affirm) : m_affirm(affirm) {}
    platform::MessageAnswer Show(const platform::MessageRequest& request) override;

private:
    bool m_affirm;
    platform::MessageSinkInstaller m_installer{*this};
};

// The command line after the program's name. An argument that cannot be read as text would name another file:
// the tool says so and ends with the status of a wrong command line, 2. Every tool reads its command line first: from
// then on, running out of memory anywhere ends it with "TOOL: out of memory" and status 1
// (platform::ExitOnOutOfMemory), and a file too large for the limit on file sizes is a failed write.
QStringList ToolArguments(int argc, char** argv);

// Text in UTF-8, whatever the locale.
void WriteOut(const QString& text);
void WriteError(const QString& text);
// Each line on standard output, ended by a line break.
void WriteLines(const QStringList& lines);

// The usage lines on standard error; returns the status of a wrong command line, 2.
int Usage(const QString& text);
// "TOOL: MESSAGE" on standard error; returns the status of a failure, 1.
int Fail(const QString& tool, const QString& message);
// Fail with "cannot open PATH", and the system's reason after it when there is one.
int CannotOpen(const QString& tool, const QString& path, const QString& reason = QString());
// Fail with "cannot write PATH: REASON".
int CannotWrite(const QString& tool, const QString& path, const QString& reason);
// Why the file at `path` was not opened for reading: it is not a regular file, or the system's reason `error`.
QString OpenFailure(const QString& path, int error);
// A tool's output that is its input document itself (under this or another name) would take the document's place:
// nothing when they differ, else the refusal said and the status of a failure, 1.
std::optional<int> RefuseOutputOverInput(const QString& tool, const QString& input, const QString& output);

// Loads a document file as the editor opens it: defaults first (in the language chosen last, as the editor's), then
// the file's current content; once it has loaded, the table of contents is rebuilt, and when it has not, where its
// backups keep what it held before is said (UnreadDocumentBackupsText). Empty, with the system's reason in `reason`,
// when the file cannot be opened.
std::optional<LoadResult> LoadDocument(const QString& path, CDocumentData& data, QString* reason = nullptr);

// LoadDocument for a tool: nothing when the document loaded; else the failure said on standard error and the
// tool's exit status, 1.
std::optional<int> LoadOrFail(const QString& tool, const QString& path, CDocumentData& data);
// Says why the document at `path` was not read (a table of contents too deep, a file too large, memory that ran out,
// else the load result's number); status 1.
int CannotRead(const QString& tool, const QString& path, LoadResult result);

// The options after a tool's positional arguments: flags, and options each followed by its value (an option may
// be repeated). Anything else makes the command line bad.
class CommandOptions {
public:
    CommandOptions(const QStringList& arguments, const QStringList& flags, const QStringList& valued);

    bool Bad() const { return m_bad; }
    bool Has(const QString& name) const;
    // The last value given to the option; `fallback` when it is not given.
    QString Value(const QString& name, const QString& fallback = {}) const;
    // Every value given to the option, in order.
    QStringList Values(const QString& name) const;
    // The comma-separated items of the option, which must all be known: `ok` turns false otherwise.
    QStringList List(const QString& name, const QStringList& known, bool& ok) const;

private:
    std::vector<std::pair<QString, QString>> m_values; // a flag's value is empty
    bool m_bad = false;
};

// Saves a document in the current format or, with olderFormat, in the older one. A document that another holds (a
// running editor, under any name of the file) is refused with the in-use message.
bool SaveDocument(CDocumentData& data, const QString& path, bool olderFormat, QString* errorText = nullptr);

} // namespace tools
