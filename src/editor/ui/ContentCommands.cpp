#include "editor/ui/ContentCommands.h"

#include "editor/EditorCommand.h"
#include "editor/FunctionContentExport.h"
#include "editor/ui/FunctionContentView.h"
#include "model/DocumentData.h"

#include <QApplication>

namespace {

void ExportContent(CContentCommandHost& host) {
    CDocumentData& document = host.ContentDocument();
    const QString path = host.PromptContentExportPath();
    if (path.isEmpty())
        return;
    const int domain = document.exportExplanationsOptions.Domain;
    const ContentExportScope scope =
        domain >= 0 && domain <= 2 ? static_cast<ContentExportScope>(domain) : ContentExportScope::WholeDocument;
    ExportFunctionContent(document, host.ContentExportFunction(), scope, path);
}

} // namespace

void AddContentCommands(CCommandRegistry& registry, CContentCommandHost& host) {
    registry.Add({CommandExportExplanations, [&host](int) { ExportContent(host); }, CommandRule::DocumentOpen,
                  CommandExportExplanations, "", CommandIcon::None});
    registry.Add({ContentMenuPastePlainText,
                  [](int) {
                      for (QWidget* widget = QApplication::focusWidget(); widget; widget = widget->parentWidget()) {
                          if (auto* view = qobject_cast<CFunctionContentView*>(widget))
                              return view->RunContextMenuCommand(ContentMenuPastePlainText);
                      }
                  },
                  CommandRule::ContentPaste, ContentMenuPastePlainText, "Ctrl+Shift+V", CommandIcon::None});
}
