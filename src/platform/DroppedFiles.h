#pragma once

#include <Qt>

namespace platform {

// How a drag of files or addresses is taken: as a copy, or as a link when the source offers no copy; never as a move,
// after which the source (a file manager) may remove what it dragged. IgnoreAction, the drag refused, when the source
// offers neither.
Qt::DropAction DroppedFileAction(Qt::DropActions offered);

} // namespace platform
