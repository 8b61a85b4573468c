#include "support/ToolSupport.h"

#include "model/DocumentData.h"
#include "platform/CommandLine.h"
#include "platform/DocumentHold.h"
#include "platform/OutOfMemory.h"
#include "platform/UserFile.h"
#include "platform/UserSettings.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace tools {

namespace {

void Write(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

qint64 StopAfterBytes::Writing(qint64 done, qint64 wanted) {
    if (done >= m_bytes)
        _exit(kStatus);
    return std::min(wanted, m_bytes - done);
}

ToolApplication::ToolApplication(int& argc, char** argv)
    : m_application(PrepareHeadless(argc), argv), m_arguments(ToolArguments(argc, argv)) {
    bool number = false;
    const qint64 stop = qEnvironmentVariable("NUV_STOP_AFTER_BYTES").toLongLong(&number);
    if (number)
        m_stop.emplace(stop);
}

int& ToolApplication::PrepareHeadless(int& argc) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return argc;
}

platform::MessageAnswer AnsweringMessageSink::Show(const platform::MessageRequest& request) {
    StandardErrorMessageSink::Show(request);
    const QList<platform::MessageAnswer> answers = request.Answers();
    const platform::MessageAnswer preferred[2][2] = {{platform::MessageAnswer::Cancel, platform::MessageAnswer::No},
                                                     {platform::MessageAnswer::Ok, platform::MessageAnswer::Yes}};
    for (const platform::MessageAnswer answer : preferred[m_affirm ? 1 : 0]) {
        if (answers.contains(answer))
            return answer;
    }
    return request.DefaultAnswer();
}

QStringList ToolArguments(int argc, char** argv) {
    const QString tool = QFileInfo(QFile::decodeName(argv[0])).fileName();
    platform::ExitOnOutOfMemory(tool + QStringLiteral(": out of memory"));
    platform::FailWritesBeyondFileSizeLimit();
    QStringList arguments;
    QByteArray undecodable;
    if (!platform::DecodeCommandLine(argc, argv, arguments, undecodable)) {
        Usage(QStringLiteral("%1: \"%2\" cannot be read as text in this locale; it would name another file\n")
                  .arg(tool, QFile::decodeName(undecodable)));
        std::exit(2);
    }
    return arguments;
}

void WriteOut(const QString& text) {
    Write(stdout, text);
}

void WriteError(const QString& text) {
    Write(stderr, text);
}

void WriteLines(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + QLatin1Char('\n');
    WriteOut(text);
}

int Usage(const QString& text) {
    WriteError(text);
    return 2;
}

int Fail(const QString& tool, const QString& message) {
    WriteError(tool + QLatin1String(": ") + message + QLatin1Char('\n'));
    return 1;
}

int CannotOpen(const QString& tool, const QString& path, const QString& reason) {
    return Fail(tool, QStringLiteral("cannot open %1").arg(path) + (reason.isEmpty() ? QString() : ": " + reason));
}

int CannotWrite(const QString& tool, const QString& path, const QString& reason) {
    return Fail(tool, QStringLiteral("cannot write %1: %2").arg(path, reason));
}

std::optional<int> RefuseOutputOverInput(const QString& tool, const QString& input, const QString& output) {
    if (!platform::IsSameFile(input, output))
        return std::nullopt;
    return Fail(tool, QStringLiteral("%1 is the input document; it is not written over").arg(output));
}

QString OpenFailure(const QString& path, int error) {
    return platform::IsOtherThanRegularFile(path) ? QStringLiteral("not a regular file")
                                                  : QString::fromLocal8Bit(std::strerror(error));
}

std::optional<LoadResult> LoadDocument(const QString& path, CDocumentData& data, QString* reason) {
    // A tool speaks as the editor does.
    data.interfaceLanguage = UserSettings::ChosenLanguage();
    data.SetDefaults();
    QFile file;
    if (!platform::OpenRegularFileForReading(file, path)) {
        const int error = errno;
        if (reason)
            *reason = OpenFailure(path, error);
        return std::nullopt;
    }
    ReportInterruptedSaves(path);
    const LoadResult result = LoadDocumentXml(file, data, 0);
    if (result == LoadResult::Loaded)
        data.registry.RebuildAndNotify(data.indexRoot, data.GetModelOptions());
    else if (const QString backups = UnreadDocumentBackupsText(path); !backups.isEmpty())
        platform::ShowMessageBox(backups, platform::MessageButtons::Ok, platform::MessageIcon::Warning);
    return result;
}

std::optional<int> LoadOrFail(const QString& tool, const QString& path, CDocumentData& data) {
    QString reason;
    const std::optional<LoadResult> result = LoadDocument(path, data, &reason);
    if (!result)
        return CannotOpen(tool, path, reason);
    if (*result != LoadResult::Loaded)
        return CannotRead(tool, path, *result);
    return std::nullopt;
}

int CannotRead(const QString& tool, const QString& path, LoadResult result) {
    switch (result) {
    case LoadResult::TooDeep:
        return Fail(tool, QStringLiteral("cannot read %1: its table of contents nests deeper than %2 levels")
                              .arg(path)
                              .arg(kMaxOutlineDepth));
    case LoadResult::TooLarge:
        return Fail(tool,
                    QStringLiteral("cannot read %1: it is larger than %2 bytes").arg(path).arg(MaxDocumentFileBytes()));
    case LoadResult::OutOfMemory:
        return Fail(tool, QStringLiteral("out of memory"));
    default:
        return Fail(tool, QStringLiteral("cannot read %1 (load result %2)").arg(path).arg(static_cast<int>(result)));
    }
}

CommandOptions::CommandOptions(const QStringList& arguments, const QStringList& flags, const QStringList& valued) {
    for (int i = 0; i < arguments.size(); ++i) {
        if (flags.contains(arguments[i])) {
            m_values.emplace_back(arguments[i], QString());
        } else if (valued.contains(arguments[i]) && i + 1 < arguments.size()) {
            m_values.emplace_back(arguments[i], arguments[i + 1]);
            ++i;
        } else {
            m_bad = true;
        }
    }
}

bool CommandOptions::Has(const QString& name) const {
    return std::any_of(m_values.begin(), m_values.end(), [&name](const auto& value) { return value.first == name; });
}

QString CommandOptions::Value(const QString& name, const QString& fallback) const {
    const QStringList values = Values(name);
    return values.isEmpty() ? fallback : values.last();
}

QStringList CommandOptions::Values(const QString& name) const {
    QStringList values;
    for (const auto& [key, value] : m_values) {
        if (key == name)
            values << value;
    }
    return values;
}

QStringList CommandOptions::List(const QString& name, const QStringList& known, bool& ok) const {
    const QStringList items = Value(name).split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& item : items)
        ok &= known.contains(item);
    return items;
}

bool SaveDocument(CDocumentData& data, const QString& path, bool olderFormat, QString* errorText) {
    return SaveDocumentXml(data, path, errorText, olderFormat ? DocumentFormat::Older : DocumentFormat::Current);
}

} // namespace tools
