#include "model/DocumentFile.h"
#include "model/OutlineNumber.h"

#include "model/DocumentData.h"
#include "model/ExportMessages.h"
#include "model/MemberDefinition.h"
#include "model/ParallelWork.h"
#include "model/ViewLayoutTables.h"
#include "model/XmlTextEncoding.h"
#include "model/xml/EnvironmentElement.h"
#include "model/xml/FunctionChunkLayout.h"
#include "model/xml/MemberDefinitionElement.h"
#include "model/xml/MemoTextElement.h"
#include "model/xml/UnitFunctionElements.h"
#include "model/xml/ViewLayoutElements.h"
#include "model/xml/XmlDocumentContext.h"
#include "model/xml/XmlElementIndex.h"
#include "model/xml/XmlStreamWriter.h"
#include "platform/ContentDigest.h"
#include "platform/FileReplacement.h"
#include "platform/MessageBox.h"
#include "platform/UserFile.h"
#include "texts/StringTable.h"
#include "texts/TextHelpers.h"

#include <QFileDevice>
#include <QIODevice>
#include <QScopeGuard>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr int kFormatMajor = 0;
constexpr int kFormatMinor = 4;
constexpr int kFormatRevision = 0;
const char* const kOlderFormatVersion = "0.3.1";

constexpr unsigned int kPlainFormat =
    pugi::format_raw | pugi::format_no_declaration | pugi::format_no_empty_element_tags;

QString CurrentFormatVersion() {
    return QString::asprintf("%d.%d.%d", kFormatMajor, kFormatMinor, kFormatRevision);
}

// Collects serialiser output and remembers whether every write reached the device, and the system's cause
// when one did not.
class DeviceWriter : public pugi::xml_writer {
public:
    explicit DeviceWriter(QIODevice& device) : m_device(device) {}
    void write(const void* data, std::size_t size) override {
        errno = 0;
        if (!m_failed &&
            m_device.write(static_cast<const char*>(data), static_cast<qint64>(size)) != static_cast<qint64>(size))
            Fail();
    }
    bool Failed() const { return m_failed; }
    QString ErrorText() const {
        return m_errno != 0 ? QString::fromLocal8Bit(std::strerror(m_errno)) : m_device.errorString();
    }

private:
    void Fail() {
        m_failed = true;
        m_errno = errno;
    }

    QIODevice& m_device;
    bool m_failed = false;
    int m_errno = 0;
};

class ByteArrayWriter : public pugi::xml_writer {
public:
    void write(const void* data, std::size_t size) override {
        bytes.append(static_cast<const char*>(data), static_cast<qsizetype>(size));
    }
    QByteArray bytes;
};

QString ElementXml(pugi::xml_node element) {
    ByteArrayWriter writer;
    element.print(writer, "", kPlainFormat, pugi::encoding_utf8);
    return QString::fromUtf8(writer.bytes);
}

// What the bytes read hold before they go to the parser: no text (nothing, or only a byte-order mark), or
// something that cannot be XML. Bytes that are not UTF-8 make the file malformed, as a conforming parser has
// it, and so does a NUL byte, which no XML text may hold: the parser would take it for the end of the file
// and ignore what follows; a reference to NUL (or to no character at all) would cut a text in the same way.
// References to the other control characters stay: the writer escapes them so.
bool AreSoundBytes(const char* bytes, std::size_t size) {
    return !std::memchr(bytes, '\0', size) && IsValidUtf8(bytes, size) &&
           !HasRefusedCharacterReference(bytes, size, [](char32_t c) { return c == 0 || c > 0x10FFFF; });
}

// The check of the bytes read, under way from when it is made: in pieces side by side, each cut just before
// a '<', so that no character or reference spans a cut and the pieces are sound exactly when the whole is.
class ByteCheck {
public:
    ByteCheck(const char* bytes, std::size_t size) : m_bytes(bytes) {
        if (size == Utf8ByteOrderMarkLength(bytes, size)) {
            m_result = LoadResult::EmptyFile;
            return;
        }
        constexpr std::size_t kPieceSize = std::size_t{64} << 10;
        m_cuts.push_back(0);
        for (std::size_t at = kPieceSize; at < size; at += kPieceSize) {
            const void* found = std::memchr(bytes + at, '<', size - at);
            if (!found)
                break;
            at = static_cast<std::size_t>(static_cast<const char*>(found) - bytes);
            m_cuts.push_back(at);
        }
        m_cuts.push_back(size);
        m_run.emplace(m_cuts.size() - 1, 1, [this](std::size_t piece) {
            if (m_sound.load(std::memory_order_relaxed) &&
                !AreSoundBytes(m_bytes + m_cuts[piece], m_cuts[piece + 1] - m_cuts[piece]))
                m_sound = false;
        });
    }

    LoadResult Result() {
        if (m_run) {
            m_run->Wait();
            m_run.reset();
            m_result = m_sound ? LoadResult::Loaded : LoadResult::MalformedXml;
        }
        return m_result;
    }

private:
    const char* m_bytes;
    std::vector<std::size_t> m_cuts;
    std::atomic<bool> m_sound{true};
    LoadResult m_result = LoadResult::Loaded;
    std::optional<ParallelRun> m_run; // last: ended before the rest goes
};

// The bytes of a file in a buffer of the parser's allocator, which an in-place parse takes over; or, for the
// file of a document load, in pages of their own (see Allocate), which the parse only borrows.
class FileBytes {
public:
    FileBytes() = default;
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;
    ~FileBytes() {
        if (m_data && m_mappedSize != 0)
            munmap(m_data, m_mappedSize);
        else if (m_data)
            pugi::get_memory_deallocation_function()(m_data);
    }
    // A large file of a load is read into large pages where the system has them: the copy then costs a fault
    // per 2 MB instead of one per 4 KB, the larger part of reading a file already cached.
    void Allocate(std::size_t size, bool mayMap = false) {
        if (mayMap && size >= kMappedSize) {
            // Whole large pages: the system places such a mapping on their boundaries.
            const std::size_t mapped = (size + kLargePage - 1) / kLargePage * kLargePage;
            void* pages = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
            if (pages != MAP_FAILED) {
                madvise(pages, mapped, MADV_HUGEPAGE);
                m_data = static_cast<char*>(pages);
                m_size = size;
                m_mappedSize = mapped;
                return;
            }
        }
        m_data = static_cast<char*>(pugi::get_memory_allocation_function()(std::max<std::size_t>(size, 1)));
        // A file that does not fit is not a malformed one.
        if (!m_data)
            throw std::bad_alloc();
        m_size = size;
    }
    char* Data() const { return m_data; }
    std::size_t Size() const { return m_size; }
    void SetSize(std::size_t size) { m_size = size; }
    bool Mapped() const { return m_mappedSize != 0; }
    char* Release() { return std::exchange(m_data, nullptr); }
    // The whole pages within the range are given back to the system: they read as zeros afterwards.
    void Forget(std::size_t begin, std::size_t end) {
        const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
        const auto address = reinterpret_cast<std::uintptr_t>(m_data);
        const std::uintptr_t first = (address + begin + page - 1) / page * page;
        const std::uintptr_t last = (address + end) / page * page;
        if (first < last && madvise(reinterpret_cast<void*>(first), last - first, MADV_DONTNEED) == 0)
            m_forgotten = true;
    }
    bool Forgotten() const { return m_forgotten; }

private:
    // The allocator maps a block this large on its own anyway (and a smaller one freed would raise the size
    // from which it does, to the benefit of everything allocated after).
    static constexpr std::size_t kMappedSize = std::size_t{32} << 20;
    static constexpr std::size_t kLargePage = std::size_t{2} << 20;

    char* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_mappedSize = 0;
    std::atomic<bool> m_forgotten{false}; // pages are given back from several threads at once
};
// Reads size bytes of an open file from its start in pieces side by side; the count read, short where the
// file ended sooner, or -1 on an error.
qint64 ReadInPieces(int handle, char* data, std::size_t size) {
    constexpr std::size_t kPieceSize = std::size_t{256} << 10;
    const std::size_t pieces = (size + kPieceSize - 1) / kPieceSize;
    std::vector<std::size_t> got(pieces);
    std::atomic<bool> failed{false};
    RunInParallel(pieces, 1, [&](std::size_t piece) {
        const std::size_t begin = piece * kPieceSize;
        const std::size_t end = std::min(begin + kPieceSize, size);
        std::size_t at = begin;
        while (at < end) {
            const ssize_t read = pread(handle, data + at, end - at, static_cast<off_t>(at));
            if (read < 0 && errno == EINTR)
                continue;
            if (read < 0)
                failed = true;
            if (read <= 0)
                break;
            at += static_cast<std::size_t>(read);
        }
        got[piece] = at - begin;
    });
    if (failed)
        return -1;
    // What was read runs up to the end of the first piece the file ended in.
    std::size_t total = 0;
    for (std::size_t piece = 0; piece < pieces; ++piece) {
        total += got[piece];
        if (got[piece] < std::min(kPieceSize, size - piece * kPieceSize))
            break;
    }
    return static_cast<qint64>(total);
}

// The bytes of the file, not yet checked.
LoadResult ReadUncheckedBytes(QIODevice& file, FileBytes& bytes, bool mayMap) {
    if (file.isSequential()) {
        QByteArray text;
        if (!platform::ReadBounded(file, MaxDocumentFileBytes(), text))
            return LoadResult::TooLarge;
        bytes.Allocate(static_cast<std::size_t>(text.size()));
        std::memcpy(bytes.Data(), text.constData(), bytes.Size());
    } else {
        file.seek(0);
        const qint64 size = file.size();
        if (size <= 0)
            return LoadResult::EmptyFile;
        if (platform::ExceedsBound(file, MaxDocumentFileBytes()))
            return LoadResult::TooLarge;
        bytes.Allocate(static_cast<std::size_t>(size), mayMap);
        // A file on disk is read in pieces side by side, any other device through its own read.
        const auto* const onDisk = qobject_cast<QFileDevice*>(&file);
        const int handle = onDisk ? onDisk->handle() : -1;
        const qint64 read = handle >= 0 ? ReadInPieces(handle, bytes.Data(), static_cast<std::size_t>(size))
                                        : file.read(bytes.Data(), size);
        if (read < 0)
            return LoadResult::MalformedXml;
        bytes.SetSize(static_cast<std::size_t>(read));
    }
    return LoadResult::Loaded;
}

LoadResult ReadFileBytes(QIODevice& file, FileBytes& bytes, bool mayMap = false) {
    if (const LoadResult read = ReadUncheckedBytes(file, bytes, mayMap); read != LoadResult::Loaded)
        return read;
    return ByteCheck(bytes.Data(), bytes.Size()).Result();
}

// The parser parses the bytes in place and keeps the buffer, or borrows mapped bytes, which then have to
// outlive the document; root is the "NUV" element.
LoadResult ParseBytes(FileBytes& bytes, pugi::xml_document& document, pugi::xml_node& root) {
    document.reset();
    const std::size_t size = bytes.Size();
    if (!XmlParsed(
            bytes.Mapped()
                ? document.load_buffer_inplace(bytes.Data(), size, kXmlParseOptions, pugi::encoding_utf8)
                : document.load_buffer_inplace_own(bytes.Release(), size, kXmlParseOptions, pugi::encoding_utf8)))
        return LoadResult::MalformedXml;
    root = XmlFindElement(document, "NUV");
    return root ? LoadResult::Loaded : LoadResult::NoRootElement;
}

LoadResult ParseFile(QIODevice& file, pugi::xml_document& document, pugi::xml_node& root) {
    FileBytes bytes;
    if (const LoadResult read = ReadFileBytes(file, bytes); read != LoadResult::Loaded)
        return read;
    return ParseBytes(bytes, document, root);
}

// The file without the content of its unit-function holder, for the parse of everything else.
void CopyWithoutFunctions(const FileBytes& bytes, const FunctionChunkLayout& layout, FileBytes& rest) {
    const std::size_t tail = bytes.Size() - layout.contentEnd;
    rest.Allocate(layout.contentBegin + tail);
    std::memcpy(rest.Data(), bytes.Data(), layout.contentBegin);
    std::memcpy(rest.Data() + layout.contentBegin, bytes.Data() + layout.contentEnd, tail);
}

pugi::xml_node AppendRoot(XmlDocumentContext& context, const QString& version) {
    context.document.reset();
    pugi::xml_node declaration = context.document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    pugi::xml_node root = XmlAppendChildElement(context, context.document, "NUV");
    XmlSetAttribute(context, root, "Version", version, true);
    return root;
}

void AppendStoredVersions(XmlDocumentContext& context, pugi::xml_node root) {
    for (const StoredVersion& version : context.documentData->versionHistory) {
        pugi::xml_document stored;
        const QByteArray xml = version.xml.toUtf8();
        // A stored version that no longer parses is left out.
        if (!stored.load_buffer(xml.constData(), static_cast<std::size_t>(xml.size()), kXmlParseOptions,
                                pugi::encoding_utf8))
            continue;
        // A stored text is one "Document" element with all it holds, also a "Document" nested in it: copying
        // that one again on its own would make each save larger than the last.
        if (std::strcmp(stored.document_element().name(), "Document") == 0)
            root.append_copy(stored.document_element());
    }
}

// The text replaces the file at `path` only when every write of `print` and the commit succeeded; see
// platform::FileReplacement for how. Only a regular file not marked read-only is replaced, and no document that
// another holds (`own` gives the writer's own hold, and the file it must find, and takes the refusal; a stop it asks
// for drops the content before the commit).
template <class Print>
bool WriteSafely(const QString& path, platform::DocumentFileWrite* own, QString* errorText, Print print) {
    platform::FileReplacement file(path);
    const auto failed = [&] {
        if (errorText)
            *errorText = ReplacementFailureText(file, path);
        if (own) {
            own->refusal = file.Refused();
            own->kept = own->refusal == platform::FileReplacement::Refusal::Changed ? file.ErrorText() : QString();
        }
        return false;
    };
    // Whatever the commit did, the file it wrote is as it left it.
    const auto written = qScopeGuard([&] {
        if (own) {
            own->written = file.WrittenFile();
            own->writtenDigest = file.WrittenDigest();
        }
    });
    if (!file.Open(own ? own->hold : nullptr, own ? own->expected : std::nullopt,
                   own ? own->expectedDigest : std::nullopt))
        return failed();
    DeviceWriter writer(file.Device());
    print(writer);
    if (writer.Failed()) {
        if (errorText)
            *errorText = writer.ErrorText();
        file.Cancel();
        return false;
    }
    if (own && own->stopRequested && own->stopRequested()) {
        own->stopped = true;
        file.Cancel();
        return false;
    }
    return file.Commit() || failed();
}

bool WriteSafely(const pugi::xml_document& document, const QString& path, unsigned int flags,
                 platform::DocumentFileWrite* own, QString* errorText) {
    return WriteSafely(path, own, errorText,
                       [&](pugi::xml_writer& writer) { document.save(writer, "\t", flags, pugi::encoding_utf8); });
}

// Runs a save; running out of memory fails it as a failed write does, and the file already there stays. A table of
// contents the loader would refuse is not written at all: the file already there stays readable.
template <class Save> bool SaveWithinMemory(const CDocumentData& data, QString* errorText, Save save) {
    if (data.registry.IsTableOfContentsDeeperThan(kMaxOutlineDepth)) {
        if (errorText)
            *errorText = LoadString(StringId::TableOfContentsTooDeepToSave).arg(kMaxOutlineDepth);
        return false;
    }
    try {
        return save();
    } catch (const std::bad_alloc&) {
        if (errorText)
            *errorText = QString::fromLocal8Bit(std::strerror(ENOMEM));
        return false;
    }
}

QByteArray EndTag(pugi::xml_node element) {
    return "</" + QByteArray(element.name()) + '>';
}

// The serialiser prints an element without children as its start and end tag; printed from a copy
// without children, the end tag is cut off again.
void PrintStartTag(pugi::xml_node element, pugi::xml_writer& writer) {
    pugi::xml_document shallow;
    pugi::xml_node copy = shallow.append_child(element.name());
    for (const pugi::xml_attribute attribute : element.attributes())
        copy.append_copy(attribute);
    ByteArrayWriter printed;
    copy.print(printed, "\t", kPlainFormat, pugi::encoding_utf8);
    printed.bytes.chop(EndTag(element).size());
    writer.write(printed.bytes.constData(), static_cast<std::size_t>(printed.bytes.size()));
}

bool IsOnPathTo(pugi::xml_node node, pugi::xml_node target) {
    for (pugi::xml_node step = target; step; step = step.parent()) {
        if (step == node)
            return true;
    }
    return false;
}

// The unit functions are written straight from the records: a round of them at a time, in pieces written
// side by side on several threads and then out in their order.
void WriteFunctionElements(XmlDocumentContext& context, pugi::xml_writer& output) {
    constexpr std::size_t kFunctionsPerPiece = 8;
    constexpr std::size_t kPiecesPerRound = 256;
    std::vector<const CUnitFunction*> functions;
    functions.reserve(context.documentData->registry.Functions().size());
    for (const auto& [id, function] : context.documentData->registry.Functions())
        functions.push_back(&function);
    std::vector<std::string> pieces(kPiecesPerRound);
    for (std::size_t first = 0; first < functions.size(); first += kFunctionsPerPiece * kPiecesPerRound) {
        const std::size_t count =
            std::min(kPiecesPerRound, (functions.size() - first + kFunctionsPerPiece - 1) / kFunctionsPerPiece);
        RunInParallel(count, 32, [&](std::size_t piece) {
            std::string& text = pieces[piece];
            text.clear();
            XmlStreamWriter writer(text);
            const std::size_t begin = first + piece * kFunctionsPerPiece;
            for (std::size_t i = begin; i < std::min(begin + kFunctionsPerPiece, functions.size()); ++i)
                WriteFunctionElement(*functions[i], context, writer, nullptr, QString());
        });
        for (std::size_t piece = 0; piece < count; ++piece)
            output.write(pieces[piece].data(), pieces[piece].size());
    }
}

// Prints the children of `parent` as the document's save would. The elements down to the container of
// the deferred "Function" elements are opened one by one, and the unit functions are built, printed and
// dropped there one at a time: a large document is never held as one tree of its whole file.
void PrintWithDeferredFunctions(XmlDocumentContext& context, pugi::xml_node parent, pugi::xml_writer& writer) {
    const pugi::xml_node container = context.deferredFunctionContainer;
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (!IsOnPathTo(child, container)) {
            child.print(writer, "\t", kPlainFormat, pugi::encoding_utf8);
            continue;
        }
        PrintStartTag(child, writer);
        PrintWithDeferredFunctions(context, child, writer);
        if (child == container)
            WriteFunctionElements(context, writer);
        const QByteArray end = EndTag(child);
        writer.write(end.constData(), static_cast<std::size_t>(end.size()));
    }
}

QString VersionLabel(int major, int minor) {
    return QString::asprintf("%2d.%02d", major, minor);
}

int TextToInt(const QString& text) {
    return static_cast<int>(XmlParseInt(text.toUtf8().constData()));
}

void ShowVersionNotice(pugi::xml_node root) {
    const QString version = XmlGetAttribute(root, "Version");
    if (version == CurrentFormatVersion())
        return;
    if (version == QLatin1String("0.3.0") || version == QLatin1String("0.3.1"))
        platform::ShowMessageBox(LoadString(StringId::OldVersionFileRead), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Warning);
    else
        platform::ShowMessageBox(LoadString(StringId::UnknownVersionFileRead), platform::MessageButtons::Ok,
                                 platform::MessageIcon::Warning);
}

// Parses another document and picks the element an import reads: the first without "Version", else the
// last one.
LoadResult FindImportDocument(QIODevice& file, XmlDocumentContext& context, pugi::xml_node& chosen) {
    pugi::xml_node root;
    if (const LoadResult parsed = ParseFile(file, context.document, root); parsed != LoadResult::Loaded)
        return parsed;
    const std::vector<pugi::xml_node> documents = XmlFindElements(root, "Document");
    if (documents.empty())
        return LoadResult::NoDocumentElement;
    const auto current = std::find_if(documents.begin(), documents.end(),
                                      [](pugi::xml_node element) { return !element.attribute("Version"); });
    chosen = current != documents.end() ? *current : documents.back();
    return LoadResult::Loaded;
}

// Everything a document reader looks up, found in one walk over the whole file.
enum DocumentName : std::size_t {
    Document = FunctionElementNameCount,
    Comment,
    View,
    Functions,
    Holder,
    MethodData,
    PrefixData,
    NotUseUniqueLabel,
    Environment,
    MemoText,
    IndexViewInfoElement,
    MemberNameRegister,
};

XmlElementIndex IndexDocuments(pugi::xml_node root) {
    return IndexFunctionElement(root, {"Document", "Comment", "View", "Functions", "FunctionHolder", "MethodData",
                                       "PrefixData", "NotUseUniqueLabel", "Environment", "MemoText", "IndexViewInfo",
                                       "MemberNameRegister"});
}

// Reads one "Document" element; false when it stopped early for want of unit functions: neither a "Functions" element
// nor a holder.
bool ReadDocumentElement(XmlDocumentContext& context, pugi::xml_node documentElement, const XmlElementIndex& index) {
    // The unit functions cut out of the parse belong to the first element read.
    FunctionChunkRead* const chunks = std::exchange(context.functionRead, nullptr);
    const XmlElementIndex::Range below = index.Below(documentElement);
    CDocumentData& data = *context.documentData;
    DocumentHeader& header = data.documentHeader;
    header.Major = static_cast<quint16>(XmlGetIntAttribute(documentElement, "Major", 0));
    header.Minor = static_cast<quint16>(XmlGetIntAttribute(documentElement, "Minor", 0));
    header.Version = static_cast<quint16>(XmlGetIntAttribute(documentElement, "Version", 0));
    header.Time = XmlGetAttribute(documentElement, "Time").left(DocumentHeader::MaxTimeLength);
    header.Author = XmlGetAttribute(documentElement, "Author").left(DocumentHeader::MaxAuthorLength);
    header.Comment = XmlGetElementText(index.First(Comment, below)).left(DocumentHeader::MaxCommentLength);

    header.openViewCount = 0;
    index.ForEach(View, below, [&](pugi::xml_node view) {
        OpenView& open = header.openViews[header.openViewCount];
        open.FunctionDescriptor = static_cast<qint32>(XmlGetIntAttribute(view, "FunctionDescriptor", 0));
        open.IsSelected = static_cast<qint32>(XmlGetIntAttribute(view, "IsSelected", 0));
        return ++header.openViewCount < DocumentHeader::MaxOpenViews;
    });
    ReadIndexViewInfo(index.First(IndexViewInfoElement, below), header.indexViewInfo);

    const pugi::xml_node functions = index.First(Functions, below);
    // A holder without "Root" is in the older layout (this program's older-format export writes one).
    const pugi::xml_node holder = index.First(Holder, below);
    // Unit functions in a holder are read even when the "Functions" element beside it is missing: a document
    // opened without them would lose them at its next save.
    if (!functions && !holder)
        return false;
    if (functions) {
        data.functionsNum = static_cast<quint16>(XmlGetIntAttribute(functions, "Num", 0));
        data.funcHeaderFormHeight = static_cast<int>(XmlGetIntAttribute(functions, "FuncHeaderFormHeight", 0));
    }

    const XmlElementIndex::Range functionRange = index.Below(holder ? holder : functions);
    data.ClearFunctions();
    // The unit functions the workers read are taken last, so that this thread reads the rest meanwhile; unless
    // the default origin is to be made, which has to be where the other readers make it.
    const bool chunked = holder && holder.attribute("Root") && chunks;
    const bool functionsLast = chunked && chunks->GivesOrigin();
    const auto finishFunctions = [&] {
        if (chunks->Finish(data.registry, holder))
            return true;
        context.functionChunksRefused = 1;
        return false;
    };
    if (!functionsLast) {
        if (chunked) {
            if (!finishFunctions())
                return false;
        } else if (holder && holder.attribute("Root"))
            LoadRegistryXml(data.registry, holder, index, functionRange);
        else
            LoadOlderRegistryXml(data.registry, index, functionRange);
        // Every other part of the program needs an origin; a file without unit functions gets an empty one.
        if (!data.registry.origin)
            data.registry.CreateDefaultFunction(data.GetModelOptions());
    }

    ReadMemberNameRegister(index.First(MemberNameRegister, below), data.memberDefinitions);

    data.uniqueLabelMethod = TextToInt(XmlGetElementText(index.First(MethodData, below)));
    data.uniqueLabelPrefix = XmlGetElementText(index.First(PrefixData, below));
    data.notUseUniqueLabels.clear();
    index.ForEach(NotUseUniqueLabel, below, [&](pugi::xml_node label) {
        data.notUseUniqueLabels.insert(XmlGetElementText(label));
        return true;
    });

    if (const pugi::xml_node environment = index.First(Environment, below))
        ReadEnvironmentElement(context, environment, index.First(MemoText, below));
    ReadMemoText(context, index.First(MemoText, below));
    return !functionsLast || finishFunctions();
}

} // namespace

static void WriteFunctionRegistryElement(XmlDocumentContext& context, pugi::xml_node parent);
static void ReadEnvironmentFromElement(pugi::xml_node documentElement, XmlDocumentContext& context);

// Reads the parsed file into the record.
static LoadResult ReadParsedDocument(XmlDocumentContext& context, pugi::xml_node root, int versionNumber) {
    CDocumentData& data = *context.documentData;
    const XmlElementIndex index = IndexDocuments(root);
    // A "Document" inside another is part of that one's content, not a version of its own: reading every
    // nested one would read the same content again for each.
    std::vector<pugi::xml_node> documents;
    std::size_t outerEnd = 0;
    index.ForEach(Document, [&](pugi::xml_node element, XmlElementIndex::Range below) {
        if (below.begin > outerEnd) {
            documents.push_back(element);
            outerEnd = below.end;
        }
        return true;
    });
    if (documents.empty())
        return LoadResult::NoDocumentElement;

    std::vector<StoredVersion> history;
    int maxNumber = 0;
    bool found = false;
    for (const pugi::xml_node element : documents) {
        const QString version = XmlGetAttribute(element, "Version");
        if (versionNumber == 0 && version.isEmpty()) {
            ReadDocumentElement(context, element, index);
            found = true;
            continue;
        }
        const int number = TextToInt(version);
        if (versionNumber != 0 && number == versionNumber) {
            ReadDocumentElement(context, element, index);
            found = true;
            break;
        }
        StoredVersion stored;
        stored.xml = ElementXml(element);
        stored.label = VersionLabel(static_cast<int>(XmlGetIntAttribute(element, "Major", 0)),
                                    static_cast<int>(XmlGetIntAttribute(element, "Minor", 0)));
        stored.time = XmlGetAttribute(element, "Time");
        stored.author = XmlGetAttribute(element, "Author");
        stored.comment = XmlGetElementText(index.First(Comment, index.Below(element)));
        stored.number = number;
        history.push_back(std::move(stored));
        maxNumber = std::max(maxNumber, number);
    }
    if (!found) {
        if (versionNumber != 0)
            return LoadResult::NoSuchVersion;
        // A file saved with a new version has no current element: its newest version is the last.
        ReadDocumentElement(context, documents.back(), index);
    }
    if (context.functionChunksRefused)
        return LoadResult::MalformedXml;
    if (data.registry.IsTableOfContentsDeeperThan(kMaxOutlineDepth))
        return LoadResult::TooDeep;
    if (history.size() > CDocumentData::MaxStoredVersions)
        history.erase(history.begin(), history.end() - CDocumentData::MaxStoredVersions);
    data.versionHistory = std::move(history);
    // The highest number a file can hold has no next one: no version is added after it.
    data.nextVersionNumber = maxNumber < std::numeric_limits<int>::max() ? maxNumber + 1 : maxNumber;
    return LoadResult::Loaded;
}

void ReportInterruptedSaves(const QString& path) {
    using Cause = platform::FileReplacement::BackupCause;
    for (const auto& [cause, text] : {std::pair{Cause::Killed, StringId::SaveBackupLeft},
                                      std::pair{Cause::WrittenInto, StringId::FileMayBeDamaged}}) {
        const QStringList backups = platform::FileReplacement::KeepLeftBackups(path, cause);
        if (!backups.isEmpty())
            platform::ShowMessageBox(LoadString(text).arg(ShownPath(path), backups.join(QLatin1Char('\n'))),
                                     platform::MessageButtons::Ok, platform::MessageIcon::Warning);
    }
}

qint64 MaxDocumentFileBytes() {
    // The bytes, the parsed tree and the records together come to about four times the file.
    constexpr int kReadMultiple = 4;
    return platform::MaxReadableBytes(kReadMultiple);
}

QString UnreadDocumentBackupsText(const QString& path) {
    const QStringList backups = platform::FileReplacement::Backups(path);
    return backups.isEmpty()
               ? QString()
               : LoadString(StringId::UnreadDocumentBackups).arg(ShownPath(path), backups.join(QLatin1Char('\n')));
}

QString UnreadDocumentText(const CMessageContext& context, const QString& path, LoadResult result,
                           const QString& otherwise) {
    if (result == LoadResult::OutOfMemory)
        return FileReadOutOfMemoryText(context, path);
    const QString text = UnreadFileText(context, path, MaxDocumentFileBytes(), otherwise);
    const QString backups = UnreadDocumentBackupsText(path);
    return backups.isEmpty() ? text : text + QLatin1Char('\n') + backups;
}

LoadResult LoadDocumentXml(QIODevice& file, CDocumentData& data, int versionNumber, std::optional<quint64>* digest) {
    // Both buffers are declared before the documents that may borrow them.
    FileBytes bytes;
    FileBytes again;
    if (const LoadResult read = ReadUncheckedBytes(file, bytes, true); read != LoadResult::Loaded)
        return read;
    // Of the bytes as read: the parse changes them in place.
    if (digest) {
        platform::ContentDigest read;
        read.Add(QByteArrayView(bytes.Data(), qsizetype(bytes.Size())));
        *digest = read.Result();
    }
    // The unit functions, most of a file, are parsed apart and side by side; the rest of it as a whole. A file
    // that turns out not to have the plain layout is parsed whole after all. They are looked for while the
    // bytes are checked.
    std::optional<FunctionChunkLayout> layout;
    {
        ByteCheck check(bytes.Data(), bytes.Size());
        if (versionNumber == 0)
            layout = FindFunctionChunks(bytes.Data(), bytes.Size());
        if (const LoadResult checked = check.Result(); checked != LoadResult::Loaded)
            return checked;
    }
    bool noticeShown = false;
    if (layout) {
        // The workers read the unit functions while this thread reads the rest. The stretches of unit functions
        // read are given back while the records grow; of a file that can be read again only, since the whole
        // parse after a refusal needs them.
        const bool mayForget = !file.isSequential();
        FunctionChunkRead functions(bytes.Data(), *layout, [&bytes, mayForget](std::size_t begin, std::size_t end) {
            if (mayForget)
                bytes.Forget(begin, end);
        });
        XmlDocumentContext context(&data);
        context.functionRead = &functions;
        FileBytes rest;
        pugi::xml_node root;
        CopyWithoutFunctions(bytes, *layout, rest);
        if (ParseBytes(rest, context.document, root) == LoadResult::Loaded) {
            ShowVersionNotice(root);
            noticeShown = true;
            const LoadResult result = ReadParsedDocument(context, root, versionNumber);
            if (!context.functionChunksRefused)
                return result;
        }
    }
    if (bytes.Forgotten()) {
        if (const LoadResult read = ReadFileBytes(file, again, true); read != LoadResult::Loaded)
            return read;
    }
    XmlDocumentContext context(&data);
    pugi::xml_node root;
    if (const LoadResult parsed = ParseBytes(bytes.Forgotten() ? again : bytes, context.document, root);
        parsed != LoadResult::Loaded)
        return parsed;
    if (versionNumber == 0 && !noticeShown)
        ShowVersionNotice(root);
    return ReadParsedDocument(context, root, versionNumber);
}

static pugi::xml_node WriteDocumentElement(XmlDocumentContext& context, pugi::xml_node parent) {
    CDocumentData& data = *context.documentData;
    pugi::xml_node document = XmlAppendChildElement(context, parent, "Document");

    const DocumentHeader& header = data.documentHeader;
    pugi::xml_node opened = XmlAppendChildElement(context, document, "OpenedView");
    const int openCount = std::min<int>(header.openViewCount, DocumentHeader::MaxOpenViews);
    XmlSetIntAttribute(context, opened, "Num", openCount, false);
    for (int i = 0; i < openCount; ++i) {
        pugi::xml_node view = XmlAppendChildElement(context, opened, "View");
        XmlSetIntAttribute(context, view, "FunctionDescriptor",
                           header.openViews[static_cast<std::size_t>(i)].FunctionDescriptor, false);
        XmlSetIntAttribute(context, view, "IsSelected", header.openViews[static_cast<std::size_t>(i)].IsSelected,
                           false);
    }
    WriteIndexViewInfo(context, document, header.indexViewInfo);

    pugi::xml_node functions = XmlAppendChildElement(context, document, "Functions");
    XmlSetIntAttribute(context, functions, "FuncHeaderFormHeight", data.funcHeaderFormHeight, false);
    if (context.olderFormat)
        WriteFunctionRegistryElement(context, functions);
    pugi::xml_node members = XmlAppendChildElement(context, document, "MemberNameRegister");
    for (const CMemberDefinition& member : data.memberDefinitions)
        WriteMemberNameElement(member, context, XmlAppendChildElement(context, members, "MemberName"));
    XmlAppendChildElement(context, document, "DeletedList");
    WriteFunctionRegistryElement(context, XmlAppendChildElement(context, document, "FunctionHolder"));

    pugi::xml_node labels = XmlAppendChildElement(context, document, "UniqueLabel");
    XmlAppendChildElement(context, labels, "MethodData", QString::number(data.uniqueLabelMethod));
    XmlAppendChildElement(context, labels, "PrefixData", data.uniqueLabelPrefix);
    for (const QString& label : data.notUseUniqueLabels)
        XmlAppendChildElement(context, labels, "NotUseUniqueLabel", label);

    WriteEnvironmentElement(context, document);
    WriteMemoText(context, document);
    return document;
}

static void WriteFunctionRegistryElement(XmlDocumentContext& context, pugi::xml_node parent) {
    CDocumentData& data = *context.documentData;
    SaveRegistryXml(data.registry, context, parent, data.environment.distinguishPrimaryOutlineNumber != 0);
}

bool SaveDocumentXml(CDocumentData& data, const QString& path, QString* errorText, DocumentFormat format,
                     platform::DocumentFileWrite* own) {
    return SaveWithinMemory(data, errorText, [&] {
        XmlDocumentContext context(&data);
        context.olderFormat = format == DocumentFormat::Older;
        pugi::xml_node root = AppendRoot(context, context.olderFormat ? QString::fromLatin1(kOlderFormatVersion)
                                                                      : CurrentFormatVersion());
        XmlSetIntAttribute(context, root, "DocumentVersion", data.nextVersionNumber, false);
        // The unit functions are most of a file: in the current format they are printed as they are built.
        context.deferFunctionElements = !context.olderFormat;
        WriteDocumentElement(context, root);
        AppendStoredVersions(context, root);
        const bool written = WriteSafely(path, own, errorText, [&context](pugi::xml_writer& writer) {
            PrintWithDeferredFunctions(context, context.document, writer);
        });
        return written;
    });
}

bool HasFreeVersionNumber(const CDocumentData& data) {
    return data.nextVersionNumber > 0 &&
           std::none_of(data.versionHistory.begin(), data.versionHistory.end(),
                        [&data](const StoredVersion& stored) { return stored.number >= data.nextVersionNumber; });
}

bool SaveDocumentXmlWithHistory(CDocumentData& data, const QString& path, const VersionHistoryEntry& entry,
                                QString* errorText, platform::DocumentFileWrite* own) {
    if (!HasFreeVersionNumber(data)) {
        if (errorText)
            *errorText = LoadString(StringId::NoFreeVersionNumber);
        return false;
    }
    return SaveWithinMemory(data, errorText, [&] {
        XmlDocumentContext context(&data);
        pugi::xml_node root = AppendRoot(context, CurrentFormatVersion());
        XmlSetIntAttribute(context, root, "DocumentVersion", data.nextVersionNumber, false);
        AppendStoredVersions(context, root);
        pugi::xml_node document = WriteDocumentElement(context, root);
        XmlSetIntAttribute(context, document, "Version", data.nextVersionNumber, false);
        XmlSetAttribute(context, document, "Author", entry.Author, true);
        XmlSetAttribute(context, document, "Time", entry.Time, true);
        XmlSetIntAttribute(context, document, "Major", entry.Major, false);
        XmlSetIntAttribute(context, document, "Minor", entry.Minor, false);
        XmlAppendChildElement(context, document, "Comment", entry.Comment);
        // The history takes the new version only once it is in the file.
        if (!WriteSafely(context.document, path, kPlainFormat, own, errorText))
            return false;
        StoredVersion stored;
        stored.xml = ElementXml(document);
        stored.label = VersionLabel(entry.Major, entry.Minor);
        stored.time = entry.Time;
        stored.author = entry.Author;
        stored.comment = entry.Comment;
        stored.number = data.nextVersionNumber;
        data.versionHistory.push_back(std::move(stored));
        if (data.nextVersionNumber < std::numeric_limits<int>::max())
            ++data.nextVersionNumber;
        data.documentHeader.Major = static_cast<quint16>(entry.Major);
        data.documentHeader.Minor = static_cast<quint16>(entry.Minor);
        return true;
    });
}

bool WriteDocumentXmlFile(CDocumentData& data, const QString& path, QString* errorText) {
    return SaveWithinMemory(data, errorText, [&] {
        XmlDocumentContext context(&data);
        WriteDocumentElement(context, AppendRoot(context, CurrentFormatVersion()));
        return WriteSafely(context.document, path, pugi::format_indent | pugi::format_no_declaration, nullptr,
                           errorText);
    });
}

// A read of another document that runs out of memory: the document open is no worse for it.
template <class Read> static LoadResult ReadWithinMemory(Read read) {
    try {
        return read();
    } catch (const std::bad_alloc&) {
        return LoadResult::OutOfMemory;
    }
}

LoadResult ImportEnvironmentFromDocument(QIODevice& file, CDocumentData& data) {
    return ReadWithinMemory([&] {
        XmlDocumentContext context(&data);
        pugi::xml_node chosen;
        const LoadResult result = FindImportDocument(file, context, chosen);
        if (result == LoadResult::Loaded)
            ReadEnvironmentFromElement(chosen, context);
        return result;
    });
}

LoadResult ReadFunctionsFromDocument(QIODevice& file, CUnitFunctionRegistry& registry) {
    return ReadWithinMemory([&] {
        XmlDocumentContext context;
        pugi::xml_node chosen;
        const LoadResult result = FindImportDocument(file, context, chosen);
        if (result != LoadResult::Loaded)
            return result;
        registry.Clear();
        // A holder without "Root" is in the older layout, as when the whole document is read.
        const pugi::xml_node holder = XmlFindElement(chosen, "FunctionHolder");
        if (holder && holder.attribute("Root"))
            LoadRegistryXml(registry, holder);
        else if (const pugi::xml_node container = holder ? holder : XmlFindElement(chosen, "Functions"))
            LoadOlderRegistryXml(registry, container);
        return result;
    });
}

LoadResult ReadMemberNamesFromDocument(QIODevice& file, MemberDefinitionList& members) {
    return ReadWithinMemory([&] {
        XmlDocumentContext context;
        pugi::xml_node chosen;
        const LoadResult result = FindImportDocument(file, context, chosen);
        if (result == LoadResult::Loaded)
            ReadMemberNameRegister(XmlFindElement(chosen, "MemberNameRegister"), members);
        return result;
    });
}

LoadResult ImportMemberNamesFromDocument(QIODevice& file, CDocumentData& data) {
    MemberDefinitionList imported;
    const LoadResult result = ReadMemberNamesFromDocument(file, imported);
    if (result == LoadResult::Loaded)
        MergeImportedMemberNames(data.memberDefinitions, imported);
    return result;
}

static void ReadEnvironmentFromElement(pugi::xml_node documentElement, XmlDocumentContext& context) {
    context.wholeDocument = 0;
    ReadEnvironmentElement(context, documentElement);
    context.wholeDocument = 1;
}
