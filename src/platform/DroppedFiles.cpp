#include "platform/DroppedFiles.h"

namespace platform {

Qt::DropAction DroppedFileAction(Qt::DropActions offered) {
    if (offered.testFlag(Qt::CopyAction))
        return Qt::CopyAction;
    if (offered.testFlag(Qt::LinkAction))
        return Qt::LinkAction;
    return Qt::IgnoreAction;
}

} // namespace platform
