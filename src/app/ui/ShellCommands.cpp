#include "app/ui/ShellCommands.h"

#include "app/MainFrameCommands.h"
#include "app/NUVApp.h"
#include "app/NUVDoc.h"
#include "app/ui/AboutDialog.h"
#include "app/ui/MainFrame.h"
#include "app/ui/StartUpDialog.h"

using namespace MainFrameCommand;

void RouteToActiveTab(COpenDocument& document, int id) {
    if (CNUVDoc* tab = document.GetActiveDocument())
        tab->OnCmdMsg(id);
}

void AddShellCommands(CCommandRegistry& registry, CMainFrame& frame, CNUVApp& app) {
    using enum CommandRule;
    const auto add = [&registry](int id, CommandHandler handler, CommandRule rule, const char* shortcut = "",
                                 CommandIcon icon = CommandIcon::None) {
        registry.Add({id, std::move(handler), rule, id, shortcut, icon});
    };
    // Run by the application object or the window, whichever id they are given.
    const auto call = [](auto function) { return [function](int) { function(); }; };
    const CommandHandler tab = [&app](int id) { RouteToActiveTab(app.Document(), id); };
    const CommandHandler unavailable = [](int id) { ShowUnavailableCommandMessage(id); };

    // File
    add(FileNew, call([&app] { app.OnFileNew(); }), None, "Ctrl+N", CommandIcon::NewFile);
    add(FileOpen, call([&app] { app.OnFileOpen(); }), None, "Ctrl+O", CommandIcon::OpenFile);
    add(FileClose, call([&app] { app.OnFileClose(); }), None);
    add(FileSave, call([&app] { app.OnFileSave(); }), DocumentOpen, "Ctrl+S", CommandIcon::SaveFile);
    add(FileSaveAs, call([&app] { app.OnFileSaveAs(); }), DocumentOpen);
    add(ImportEnvironmentSettings, call([&app] { app.OnImportEnvironmentSettings(); }), DocumentOpen);
    add(ImportMemberNames, call([&app] { app.OnImportMemberNames(); }), DocumentOpen);
    add(ExportMemberNames, call([&app] { app.OnExportMemberNames(); }), DocumentOpen);
    add(ExportOutlineIndex, call([&app] { app.OnExportOutlineIndex(); }), DocumentOpen);
    add(ExportOlderFormat, call([&app] { app.OnExportNuv2013june(); }), None);
    add(AppExit, call([&app] { app.OnAppExit(); }), None);
    registry.AddRange(RecentFileFirst, RecentFileLast, [&app](int id) { app.OnOpenRecentFile(id - RecentFileFirst); });

    // Edit
    add(PasteSpecial, tab, AlwaysDisabled);
    // The Find and Replace dialogs on the logic editor have no place in a menu or toolbar.
    add(Find, call([&frame] { frame.ShowFindReplaceDialog(false); }), DocumentOpen);
    add(Replace, call([&frame] { frame.ShowFindReplaceDialog(true); }), DocumentOpen);
    add(InsertObject, unavailable, ContentControlFocus);
    // No content holds linked items: there are never links to set.
    add(LinkSettings, tab, AlwaysDisabled);
    add(ObjectProperties, unavailable, ContentControlFocus);

    // View
    add(ShowZoomWindow, call([&frame] { frame.ShowZoomWindow(); }), None, "Ctrl+Shift+Z");
    for (int look = ApplicationLookFirst; look <= ApplicationLookLast; ++look)
        add(
            look, [&frame](int id) { frame.OnApplicationLook(id); }, ApplicationLook);
    add(NavigateBack, call([&app] { app.Tabs().NavigateBack(); }), HistoryBack, "Alt+Left", CommandIcon::Back);
    add(NavigateForward, call([&app] { app.Tabs().NavigateForward(); }), HistoryForward, "Alt+Right",
        CommandIcon::Forward);
    registry.AddRange(HistoryEntryFirst, HistoryEntryLast,
                      [&app](int id) { app.Tabs().NavigateTo(id - HistoryEntryFirst); });
    add(ShowOutlineIndex, call([&frame] { frame.ShowPane(OutlineIndexPane); }), None);
    add(ShowHierarchicalIndex, call([&frame] { frame.ShowPane(HierarchicalIndexPane); }), None);

    // The single inspections of the current unit function, which the localisation greys; the other inspections
    // are the inspection subsystem's, the word searches the search subsystem's.
    add(InspectCurrentSyntax, tab, None);
    add(InspectCurrentRedundancy, tab, None);
    add(InspectCurrentInconsistency, tab, None);

    // Fonts (the name font, the vocabulary and the environment settings are the settings subsystem's, the line
    // marks the search subsystem's)
    add(ContentFont, unavailable, DocumentOpen);

    // Collaboration; the generators' and the work-item hand-over's rows are their own.
    add(FunctionAttributes, unavailable, None);
    add(ImportFromZipc, unavailable, None);
    add(ExportToZipc, unavailable, None);

    // Help
    add(HelpFinder, unavailable, None);
    add(HelpIndex, unavailable, None);
    add(Help, unavailable, None, "F1");
    add(ContextHelp, unavailable, None, "", CommandIcon::ContextHelp);
    add(AppAbout, call([&app, &frame] {
            CAboutDialog(
                app, [&frame](const QString& link) { return frame.OpenLink(link); }, &frame)
                .exec();
        }),
        None, "", CommandIcon::About);
    add(ShowSplashScreen, call([&frame] { (new CStartUpDialog(CStartUpDialog::HelpMenuDisplayTime, &frame))->show(); }),
        None);

    // Language
    add(SwitchToEnglish, call([&app] { app.SwitchToEnglish(); }), None);
    add(SwitchToJapanese, call([&app] { app.SwitchToJapanese(); }), None);

    // The window's own: reached through the tab area's document menu, a customised toolbar or the ids.
    add(WindowManager, call([&frame] { frame.OpenWindowsDialog(); }), None);
    add(CustomizeToolBars, call([&frame] { frame.OpenCustomizeDialog(); }), None);
    add(InstanceList, tab, None);
    registry.AddRange(InstanceWindowFirst, InstanceWindowLast,
                      [&app](int id) { app.ActivateInstanceWindow(id - InstanceWindowFirst); });
}
