#pragma once

#include <QPrintDialog>
#include <QPrintPreviewDialog>

// The print dialog of every printout. Printing to a file that a printout may not be written to (RefusePrintFile: a
// document that an editor holds, this editor's own open document too, or anything but a regular file) is refused
// with its message at once, before the dialog opens the file or asks whether to overwrite it, and the dialog stays
// open.
class CPrintDialog : public QPrintDialog {
    Q_OBJECT
public:
    CPrintDialog(QPrinter* printer, QWidget* parent);

    // The file the dialog prints to; empty when it prints to a printer.
    QString OutputFileName() const;

    // Refuses once more what OK refused: the file may have been taken while the toolkit asked about it.
    void accept() override;

private:
    // OK: the refusal of RefusePrintFile, then the toolkit's own checks of its fields, its overwrite question among
    // them.
    void CheckFields();
};

// The print preview of every printout. Its Print runs the print dialog of every printout (CPrintDialog) and prints
// what the preview shows only past its refusal of the file; the toolkit's own print dialog would write over any file.
class CPrintPreviewDialog : public QPrintPreviewDialog {
    Q_OBJECT
public:
    CPrintPreviewDialog(QPrinter* printer, QWidget* parent);

private:
    void PrintShown();
};

// Whether the printer, as a print dialog left it, prints to a file that a printout may not be written to
// (RefusePrintFile); the refusal is said. Asked again right before printing, as the file may have been taken since it
// was chosen.
bool RefusePrinterOutput(const QPrinter& printer);
