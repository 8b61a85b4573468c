#include "printing/PrintTestSupport.h"

#include "support/ToolSupport.h"
#include "support/logic/LogicScript.h"

#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

std::unique_ptr<CDocumentData> LoadScriptDocument(const QString& path,
                                                  const std::vector<std::pair<QString, QString>>& functions) {
    SaveScriptDocument(path, functions);
    auto document = std::make_unique<CDocumentData>();
    EXPECT_TRUE(tools::LoadDocument(path, *document).has_value()) << path.toStdString();
    return document;
}

namespace {

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

PrintedPdf PrintToPdf(const CPrintJob& job, const PrintSource& source, const QString& path, PrintPageRange range) {
    PrintedPdf printed;
    {
        QPdfWriter writer(path);
        printed.pages = job.Print(writer, source, 0, range);
    }
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(Run(QStringLiteral("pdfinfo"), {path}));
    printed.pdfPages = pages.hasMatch() ? pages.captured(1).toInt() : -1;
    printed.text = Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    return printed;
}
