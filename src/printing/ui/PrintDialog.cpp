#include "printing/ui/PrintDialog.h"

#include "model/ExportMessages.h"

#include <QLineEdit>
#include <QPrinter>

CPrintDialog::CPrintDialog(QPrinter* printer, QWidget* parent) : QPrintDialog(printer, parent) {}

QString CPrintDialog::OutputFileName() const {
    // The toolkit's dialog names its output file in its "filename" field, enabled while printing to a file.
    const auto* field = findChild<QLineEdit*>(QStringLiteral("filename"));
    return field && field->isEnabled() ? field->text().trimmed() : QString();
}

void CPrintDialog::accept() {
    const QString file = OutputFileName();
    if (!file.isEmpty() && RefuseFileInUse(file))
        return;
    QPrintDialog::accept();
}

bool RefusePrinterOutput(const QPrinter& printer) {
    const QString file = printer.outputFileName();
    return !file.isEmpty() && RefuseFileInUse(file);
}
