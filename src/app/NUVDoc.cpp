#include "app/NUVDoc.h"

#include "app/ApplicationShell.h"
#include "app/MainFrameCommandIds.h"
#include "app/OpenDocument.h"
#include "editor/FunctionHeaderEdit.h"
#include "interchange/ImportProgress.h"
#include "interchange/MindMapReader.h"
#include "model/OutlineNumber.h"
#include "platform/MessageBox.h"
#include "platform/TerminationRequests.h"
#include "platform/UserFile.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

#include <QFile>

#include <exception>
#include <new>

namespace {

void ShowConversionError(const QString& detail) {
    platform::ShowMessageBox(LoadString(StringId::MapConversionFailed) +
                                 LoadString(StringId::MapConversionErrorPrefix) + detail,
                             platform::MessageButtons::Ok, platform::MessageIcon::Error);
}

// A conversion short of memory says so: the map may be sound.
void ShowMemoryExhausted() {
    platform::ShowMessageBox(LoadString(StringId::MemoryExhausted), platform::MessageButtons::Ok,
                             platform::MessageIcon::Error);
}

} // namespace

CNUVDoc::CNUVDoc(COpenDocument& document) : m_document(document) {}

CNUVDoc::~CNUVDoc() = default;

QString CNUVDoc::Caption(const CDocumentData& data) const {
    return m_pUnitFunction ? FunctionTabTitle(data, *m_pUnitFunction, m_openedFrom.empty() ? nullptr : &m_openedFrom)
                           : QString();
}

QString GetFileExtension(const QString& path) {
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : path.mid(dot + 1);
}

QString MakeConvertedFileName(const QString& path) {
    QString out = path;
    if (GetFileExtension(path).compare(QLatin1String("mm"), Qt::CaseInsensitive) == 0)
        out.chop(3);
    return out + QStringLiteral(".nuv");
}

bool RouteSaveCommand(COpenDocument& document, int id) {
    switch (id) {
    case MainFrameCommand::FileSaveAs:
        document.OnFileSaveAs();
        return true;
    case MainFrameCommand::FileSave:
        document.OnFileSave();
        return true;
    default:
        return false;
    }
}

bool CNUVDoc::OnCmdMsg(int id) {
    if (id != MainFrameCommand::ImportMindMap)
        return RouteSaveCommand(m_document, id);
    OnImportMindMap();
    return true;
}

void CNUVDoc::OnImportMindMap() {
    const QString path = m_document.Shell().PromptMapFileName();
    if (path.isEmpty())
        return;
    // The walk builds the document's tree: nothing may clear it meanwhile.
    COpenDocument::WorkScope work(m_document, COpenDocument::Work::Conversion);
    ConvertMindMap(path, false, [](const std::function<bool()>&) { return true; });
}

bool CNUVDoc::ConvertMindMap(const QString& path, bool converter, const SaveConverted& save) {
    m_pProgressDlg.reset();
    // A request to end the process stops the conversion wherever it comes, also while the map is read: the
    // converter's any since it started, an import's one since the import began.
    const int requests = converter ? 0 : platform::TerminationRequests::Count();
    CDocumentData& data = m_document.DocumentData();
    QFile file;
    CMindMapReader reader;
    InterchangeResult opened;
    opened.failure = InterchangeFailure::Unreadable;
    if (platform::OpenRegularFileForReading(file, path))
        opened = reader.Open(file, data);
    if (opened.Succeeded() && platform::TerminationRequests::Count() != requests) {
        platform::ShowMessageBox(LoadString(StringId::MapConversionCancelled), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Warning);
        return false;
    }
    if (opened.failure == InterchangeFailure::LimitExceeded) {
        platform::ShowMessageBox(LoadString(StringId::TooManyMapNodes).arg(opened.needed).arg(opened.available),
                                 platform::MessageButtons::Ok, platform::MessageIcon::Error);
        return false;
    }
    if (opened.failure == InterchangeFailure::OutOfMemory) {
        ShowMemoryExhausted();
        return false;
    }
    if (opened.failure == InterchangeFailure::TooDeep) {
        platform::ShowMessageBox(LoadString(StringId::MapTooDeep).arg(kMaxOutlineDepth), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Error);
        return false;
    }
    if (!opened.Succeeded()) {
        platform::ShowMessageBox(
            UnopenedFileText(path, UnreadFileText(m_document.MessageContext(), path, CMindMapReader::MaxFileBytes,
                                                  LoadString(StringId::MapConversionFailed))),
            platform::MessageButtons::Ok, platform::MessageIcon::Error);
        return false;
    }

    bool result = false;
    try {
        m_pProgressDlg = m_document.Shell().CreateImportProgress();
        InterchangeResult converted = reader.Convert(data, *m_pProgressDlg);
        if (converter && converted.failure != InterchangeFailure::Error)
            m_pProgressDlg->SetPos(converted.items);
        // Whatever the walk left, also after an error, is what the index shows.
        m_document.RebuildDocument();
        // The converter saves nothing once asked to stop.
        if (converter && converted.failure == InterchangeFailure::None &&
            platform::TerminationRequests::Count() != requests)
            converted.failure = InterchangeFailure::Cancelled;
        // What was imported stays, also after a failure or a stop: the document is no longer the one on disk.
        // The converter saves what it made at once.
        if (!converter && converted.items > 0)
            m_document.SetModified();
        // A request noted while the document is written, up to its commit, stops the save as well.
        bool stopped = false;
        switch (converted.failure) {
        case InterchangeFailure::None:
            if (save([&] { return stopped = platform::TerminationRequests::Count() != requests; })) {
                result = true;
                if (converter)
                    m_pProgressDlg->ShowFinished();
            }
            if (!stopped)
                break;
            [[fallthrough]];
        case InterchangeFailure::Cancelled:
            platform::ShowMessageBox(LoadString(StringId::MapConversionCancelled), platform::MessageButtons::Ok,
                                     platform::MessageIcon::Warning);
            break;
        case InterchangeFailure::Error:
            ShowConversionError(converted.detail);
            break;
        case InterchangeFailure::OutOfMemory:
            ShowMemoryExhausted();
            break;
        default:
            platform::ShowMessageBox(LoadString(StringId::MapConversionFailed), platform::MessageButtons::Ok,
                                     platform::MessageIcon::Error);
            break;
        }
    } catch (const std::bad_alloc&) {
        ShowMemoryExhausted();
    } catch (const std::exception& error) {
        ShowConversionError(QString::fromLocal8Bit(error.what()));
    }
    m_pProgressDlg.reset();
    return result;
}
