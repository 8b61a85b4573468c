#include "app/NUVApp.h"

#include "app/ApplicationShell.h"
#include "app/NUVDoc.h"
#include "platform/MessageBox.h"
#include "platform/Trace.h"
#include "platform/UserSettings.h"
#include "texts/SettingsWordingStore.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

#include <QFileInfo>

namespace {

// The stored version named by "/N /N PATH"; 0 for the document itself, or for any other command line.
int RequestedVersionArgument(const QStringList& arguments) {
    if (arguments.size() < 4 || !arguments[1].startsWith(u'/'))
        return 0;
    bool ok = false;
    const int number = arguments[1].mid(1).toInt(&ok);
    return ok && number > 0 ? number : 0;
}

} // namespace

CNUVApp::CNUVApp(CApplicationShell& shell) : m_shell(shell) {}

CNUVApp::~CNUVApp() {
    ReleaseSharedState();
}

void CNUVApp::ReleaseSharedState() {
    m_document.CloseDocumentState();
    m_instances.Leave();
}

// ---- start-up and exit ----

bool CNUVApp::StartUp() {
    if (!m_instances.Open())
        return false;
    if (!m_instances.RegisterInstance(CInstanceRegistry::EmptyRecord(CInstanceRegistry::CurrentProcessId()))) {
        platform::ShowMessageBox(LoadString(StringId::TooManyInstances).arg(kMaxInstances),
                                 platform::MessageButtons::Ok, platform::MessageIcon::Error);
        return false;
    }
    m_document.AddDocumentTemplate();
    if (!m_shell.CreateMainWindow(*this))
        return false;
    // From here on another instance's Exit reaches the window, also while a message of the start-up waits for the
    // user (the settings cannot be used, the document cannot be read): the message ends and the process closes.
    m_document.UpdateOwnInstanceRecord();
    // One chosen since this process started, while it had no window, asked through its record.
    if (m_instances.TakeCloseAsked())
        OnCloseRequested();
    if (const QString path = platform::SettingsStore::FilePath(); !platform::SettingsStore::FileUsable())
        platform::ShowMessageBox(QFileInfo(path).isFile()
                                     ? LoadString(StringId::SettingsFileTooLarge)
                                           .arg(ShownPath(path))
                                           .arg(platform::SettingsStore::MaxFileBytes)
                                     : LoadString(StringId::SettingsFileUnusable).arg(ShownPath(path)),
                                 platform::MessageButtons::Ok, platform::MessageIcon::Warning);
    return true;
}

bool CNUVApp::InitInstance(const QStringList& arguments) {
    if (!StartUp())
        return false;
    OnFileNew();
    if (!GetActiveDocument())
        return false;
    m_nExitCode = ConvertMapArgument(arguments) ? 0 : 1;
    // The converter closes its own hidden window only; the editors open beside it stay.
    m_shell.PostCloseToMainWindow();
    return true;
}

bool CNUVApp::InitEditorInstance(const QStringList& arguments) {
    // The editor speaks the language chosen last, so that the language switch's notice comes true; English
    // when none was chosen. The converter stays English: what it writes depends on no setting.
    m_messageContext.m_language = UserSettings::ChosenLanguage();
    SetTextLanguage(m_messageContext.m_language);
    m_document.DocumentData().interfaceLanguage = m_messageContext.m_language;
    // The wording the Messages page stored shows from the next start on.
    m_messageContext.m_settings.LoadFromRegistry(CSettingsWordingStore());
    if (!StartUp())
        return false;
    if (arguments.size() < 2) {
        OnFileNew();
        m_nExitCode = GetActiveDocument() ? 0 : 1;
        return m_nExitCode == 0;
    }
    // Another process starts us for a document as "/N /N PATH": the path comes last, N is the stored version to
    // show (0 for the document itself).
    const QString path = COpenDocument::CanonicalPath(arguments.last());
    const int version = RequestedVersionArgument(arguments);
    m_nExitCode = 0;
    // A stored version is shown beside the process that edits its document.
    if (version == 0 && m_instances.ActivateHolder(path))
        return false;
    // A file that cannot be opened closes the window again; one that cannot be read leaves it without a document.
    OpenDocumentFile(path, version);
    return true;
}

bool CNUVApp::ConvertMapArgument(const QStringList& arguments) {
    if (arguments.size() < 2) {
        if (arguments.size() == 1)
            platform::ShowMessageBox(LoadString(StringId::DropMapFile));
        return false;
    }
    if (arguments.size() > 2)
        platform::ShowMessageBox(LoadString(StringId::OnlyOneFileConverted));

    // A close request from another instance waits until the converted document has been saved.
    COpenDocument::WorkScope work(m_document, COpenDocument::Work::Conversion);
    const QString target = MakeConvertedFileName(arguments[1]);
    return GetActiveDocument()->ConvertMindMapFile(arguments[1], [&](const std::function<bool()>& stopRequested) {
        return m_document.SaveConvertedDocument(target, stopRequested);
    });
}

void CNUVApp::OnAppExit() {
    CloseOtherInstances();
    m_shell.PostCloseToMainWindow();
}

// ---- per-user values ----

quint32 CNUVApp::GetProfileDword(const platform::DwordSetting& setting) const {
    return platform::ReadSetting(setting);
}

bool CNUVApp::SetProfileDword(const platform::DwordSetting& setting, quint32 value) const {
    return platform::WriteSetting(setting, value);
}

QString CNUVApp::GetProfileText(const platform::TextSetting& setting) const {
    const std::optional<QString> text = platform::StoredSetting(setting);
    // A text too long for the registry's buffer never came from the program: it reads as missing.
    return text && text->size() <= platform::kMaxTextValueUnits ? *text : setting.defaultValue;
}

bool CNUVApp::SetProfileText(const platform::TextSetting& setting, const QString& text) const {
    return platform::WriteSetting(setting, text);
}

void CNUVApp::SwitchLanguage(quint32 language, const QString& switched, const QString& failed) const {
    const bool stored = SetProfileDword(UserSettings::Language(), language);
    platform::WriteSetting(UserSettings::ClearRegistryStateInNextExecution(), 1);
    platform::ShowMessageBox(stored ? switched : failed, platform::MessageButtons::Ok,
                             stored ? platform::MessageIcon::Information : platform::MessageIcon::Warning);
}

void CNUVApp::SwitchToEnglish() const {
    SwitchLanguage(0, LoadString(StringId::SwitchedToEnglish), LoadString(StringId::SwitchToEnglishFailed));
}

void CNUVApp::SwitchToJapanese() const {
    SwitchLanguage(1, LoadString(StringId::SwitchedToJapanese), LoadString(StringId::SwitchToJapaneseFailed));
}

void CNUVApp::SwitchLanguageFromAboutBox() const {
    platform::Trace("CAboutDialog", "OnBnClickedOptionButton");
    if (m_document.DocumentLanguage() != 1) {
        SwitchToJapanese();
        return;
    }
    if (platform::ShowMessageBox(LoadString(StringId::SwitchToEnglishQuestion), platform::MessageButtons::YesNo,
                                 platform::MessageIcon::Question, 1) == platform::MessageAnswer::Yes)
        SwitchToEnglish();
    else if (GetProfileDword(UserSettings::Language()) != 1)
        SwitchToJapanese();
}

// ---- documents ----

void CNUVApp::OnFileNew() {
    const QString templatePath = GetProfileText(UserSettings::TemplateFilename());
    m_document.OnFileNew(GetProfileDword(UserSettings::UseTemplate()) == 0 ? QString() : templatePath);
}

void CNUVApp::LoadTemplateDocument() {
    const QString templatePath = GetProfileText(UserSettings::TemplateFilename());
    m_document.LoadTemplateDocument(GetProfileDword(UserSettings::UseTemplate()) == 0 ? QString() : templatePath);
}

bool CNUVApp::OpenDocumentFile(const QString& path, int version) {
    const COpenDocument::OpenResult result = m_document.OpenDocumentFile(path, version);
    // Nothing is left to show: the window closes, and the process ends.
    if (result == COpenDocument::OpenResult::CannotOpenFile)
        m_nExitCode = 1;
    return result == COpenDocument::OpenResult::Opened;
}

void CNUVApp::OnFileOpen() {
    const QString path = m_shell.PromptOpenFileName(LoadString(StringId::OpenFileTitle), QString());
    if (!path.isEmpty())
        OnFileOpenPath(path);
}

void CNUVApp::OnOpenRecentFile(int index) {
    const QStringList paths = RecentFiles();
    if (index >= 0 && index < paths.size())
        OnFileOpenPath(paths[index]);
}

void CNUVApp::OnFileOpenPath(const QString& path) {
    const QString absolutePath = COpenDocument::CanonicalPath(path);
    if (m_instances.ActivateHolder(absolutePath))
        return;
    // One document per process: changes here are never closed away by opening another document.
    const QString& current = m_document.DocumentPath();
    if (m_document.IsModified() || (!current.isEmpty() && current != absolutePath))
        m_instances.LaunchNewInstance(absolutePath, 0);
    else
        OpenDocumentFile(absolutePath);
}
