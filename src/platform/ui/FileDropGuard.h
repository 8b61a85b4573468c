#pragma once

class QApplication;

namespace platform {

// A drag of files or addresses reaches every widget of every window with the one action DroppedFileAction takes: the
// main window, a file field and any text box answer it as a copy (or a link), never as the move a source may propose,
// and a drag that offers only a move is refused before a widget sees it. A file field (CDropEdit) takes a dropped file
// as its path; any other text box takes no drag that carries a file, which goes on to what lies under the box.
// Installed once on the application.
void InstallFileDropGuard(QApplication& application);

} // namespace platform
