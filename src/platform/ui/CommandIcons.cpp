#include "platform/ui/CommandIcons.h"

#include <QApplication>
#include <QStyle>

#include <utility>

QIcon StandardCommandIcon(CommandIcon icon) {
    constexpr std::pair<CommandIcon, QStyle::StandardPixmap> kPixmaps[] = {
        {CommandIcon::NewFile, QStyle::SP_FileIcon},
        {CommandIcon::OpenFile, QStyle::SP_DialogOpenButton},
        {CommandIcon::SaveFile, QStyle::SP_DialogSaveButton},
        {CommandIcon::Back, QStyle::SP_ArrowBack},
        {CommandIcon::Forward, QStyle::SP_ArrowForward},
        {CommandIcon::About, QStyle::SP_MessageBoxInformation},
        {CommandIcon::ContextHelp, QStyle::SP_TitleBarContextHelpButton},
    };
    for (const auto& [kind, pixmap] : kPixmaps) {
        if (kind == icon)
            return QApplication::style()->standardIcon(pixmap);
    }
    return QIcon();
}
