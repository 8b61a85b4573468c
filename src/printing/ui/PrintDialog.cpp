#include "printing/ui/PrintDialog.h"

#include "printing/PrintFile.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPrinter>

CPrintDialog::CPrintDialog(QPrinter* printer, QWidget* parent) : QPrintDialog(printer, parent) {
    // The toolkit's OK checks the fields, opening the file and asking whether to overwrite it, before it accepts: the
    // refusal of a file in use or of anything but a regular file (whose opening would wait on a pipe) goes ahead.
    for (QDialogButtonBox* buttons : findChildren<QDialogButtonBox*>()) {
        if (disconnect(buttons, SIGNAL(accepted()), this, SLOT(_q_checkFields())))
            connect(buttons, &QDialogButtonBox::accepted, this, &CPrintDialog::CheckFields);
    }
}

QString CPrintDialog::OutputFileName() const {
    // The toolkit's dialog names its output file in its "filename" field, enabled while printing to a file.
    const auto* field = findChild<QLineEdit*>(QStringLiteral("filename"));
    return field && field->isEnabled() ? field->text().trimmed() : QString();
}

void CPrintDialog::CheckFields() {
    const QString file = OutputFileName();
    if (!file.isEmpty() && RefusePrintFile(file))
        return;
    QMetaObject::invokeMethod(this, "_q_checkFields");
}

void CPrintDialog::accept() {
    const QString file = OutputFileName();
    if (!file.isEmpty() && RefusePrintFile(file))
        return;
    QPrintDialog::accept();
}

CPrintPreviewDialog::CPrintPreviewDialog(QPrinter* printer, PagePainter print, const CMessageContext& context,
                                         QWidget* parent)
    : QPrintPreviewDialog(printer, parent), m_print(std::move(print)), m_context(context) {
    connect(this, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* shown) { m_print(*shown); });
    // The toolkit's Print action opens a print dialog of its own: ours takes its place.
    for (QAction* action : findChildren<QAction*>()) {
        if (disconnect(action, SIGNAL(triggered(bool)), this, SLOT(_q_print())))
            connect(action, &QAction::triggered, this, &CPrintPreviewDialog::PrintShown);
    }
}

void CPrintPreviewDialog::PrintShown() {
    CPrintDialog dialog(printer(), this);
    if (dialog.exec() == QDialog::Accepted && PrintOnPrinter(*printer(), m_print, m_context) > 0)
        accept();
}

int PrintOnPrinter(QPrinter& printer, const PagePainter& print, const CMessageContext& context) {
    const QString file = printer.outputFileName();
    if (file.isEmpty())
        return print(printer);
    return PrintToFile(
        file,
        [&printer, &print](QPdfWriter& writer) {
            writer.setPageLayout(printer.pageLayout());
            writer.setResolution(printer.resolution());
            writer.setTitle(printer.docName());
            writer.setCreator(printer.creator());
            writer.setPdfVersion(printer.pdfVersion());
            return print(writer);
        },
        context);
}
