#pragma once

// The ids of the print commands: the printer settings, the print-settings sheet, Print and Print Preview of the
// chosen printout, and the print and preview of each printout.
enum PrintCommandId {
    CommandPrinterSettings = 57606,
    CommandPrintSettings = 32880,
    CommandPrintPreview = 33017,
    CommandPrint = 33018,
    CommandPrintOutlineIndex = 32774,
    CommandPreviewOutlineIndex = 32779,
    CommandPrintUnitFunctions = 32776,
    CommandPreviewUnitFunctions = 32781,
    CommandPrintTitlePage = 32889,
    CommandPreviewTitlePage = 32886,
    CommandPrintResultMessages = 32890,
    CommandPreviewResultMessages = 32887,
    CommandPrintNotes = 32891,
    CommandPreviewNotes = 32888,
    // The header form's Print: the printout of the document's print kind.
    CommandPrintByKind = 57607,
};
