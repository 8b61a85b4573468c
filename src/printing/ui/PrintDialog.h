#pragma once

#include <QPrintDialog>

// The print dialog of every printout. Printing to a file whose name is a document that an editor holds (this
// editor's own open document too) is refused with the in-use message, before the dialog asks whether to
// overwrite the file, and the dialog stays open.
class CPrintDialog : public QPrintDialog {
    Q_OBJECT
public:
    CPrintDialog(QPrinter* printer, QWidget* parent);

    // The file the dialog prints to; empty when it prints to a printer.
    QString OutputFileName() const;

    void accept() override;
};

// Whether the printer, as a print dialog left it, prints to a file that a write may not replace (RefuseFileInUse);
// the refusal is said. Asked again right before printing, as the file may have been taken since it was chosen.
bool RefusePrinterOutput(const QPrinter& printer);
