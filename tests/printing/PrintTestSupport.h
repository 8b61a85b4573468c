#pragma once

#include "model/DocumentData.h"
#include "printing/PrintJob.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <utility>
#include <vector>

// A document written from logic scripts (the origin first, the others its children) and loaded back as the
// editor loads it.
std::unique_ptr<CDocumentData> LoadScriptDocument(const QString& path,
                                                  const std::vector<std::pair<QString, QString>>& functions);

// What a printout printed to a PDF file holds, read back with poppler's tools.
struct PrintedPdf {
    int pages = 0;    // as the job counted them
    int pdfPages = 0; // as the file says
    QString text;
};
PrintedPdf PrintToPdf(const CPrintJob& job, const PrintSource& source, const QString& path, PrintPageRange range = {});
