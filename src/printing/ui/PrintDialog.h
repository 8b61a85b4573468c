#pragma once

#include <QPrintDialog>
#include <QPrintPreviewDialog>

#include <functional>

class QPagedPaintDevice;
struct CMessageContext;

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

// Paints a printout on the device it is given; the number of pages printed.
using PagePainter = std::function<int(QPagedPaintDevice&)>;

// The print preview of every printout, showing what `print` paints. Its Print runs the print dialog of every printout
// (CPrintDialog) and prints what the preview shows only past its refusal of the file (the toolkit's own print dialog
// would write over any file), through PrintOnPrinter; the preview closes only once the printout is made.
class CPrintPreviewDialog : public QPrintPreviewDialog {
    Q_OBJECT
public:
    CPrintPreviewDialog(QPrinter* printer, PagePainter print, const CMessageContext& context, QWidget* parent);

private:
    void PrintShown();

    PagePainter m_print;
    const CMessageContext& m_context;
};

// Prints what `print` paints on the printer as a print dialog left it. A printout to a file is painted on a PDF
// writer set up as the printer is and written through PrintToFile, so that the file takes the whole printout or stays
// as it was, and a failure is said in the context's language. The number of pages printed; 0 when the printout was not
// made.
int PrintOnPrinter(QPrinter& printer, const PagePainter& print, const CMessageContext& context);
