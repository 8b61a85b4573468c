#include "support/ToolSupport.h"

#include "model/DocumentData.h"

#include <QFile>

#include <cstdio>

namespace tools {

namespace {

void Write(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

ToolApplication::ToolApplication(int& argc, char** argv) : m_application(PrepareHeadless(argc), argv) {}

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

int CannotOpen(const QString& tool, const QString& path) {
    return Fail(tool, QStringLiteral("cannot open %1").arg(path));
}

std::optional<LoadResult> LoadDocument(const QString& path, CDocumentData& data) {
    data.SetDefaults();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const LoadResult result = LoadDocumentXml(file, data, 0);
    if (result == LoadResult::Loaded)
        data.registry.RebuildAndNotify(data.indexRoot, data.GetModelOptions());
    return result;
}

bool SaveDocument(CDocumentData& data, const QString& path, bool olderFormat, QString* errorText) {
    return SaveDocumentXml(data, path, errorText, olderFormat ? DocumentFormat::Older : DocumentFormat::Current);
}

} // namespace tools
