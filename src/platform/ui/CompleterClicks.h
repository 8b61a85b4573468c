#pragma once

class QApplication;

namespace platform {

// The list of completions that opens under a field as it is typed in (the file name of the print dialog and of every
// file dialog) covers no button of the field's window (PlaceCompletionList), and a click beside it closes the list and
// also reaches what it was made on in the field's window: the first click on Print or Save prints or saves, as on
// every desktop that hands on such a click. Installed once on the application.
void InstallCompleterClicks(QApplication& application);

} // namespace platform
