#include "editor/LogicLineBlock.h"

#include <QtEndian>

namespace {

const QString kSignature = QStringLiteral("NUV_DATA");
constexpr int kSignatureBytes = 20; // "NUV_DATA", its terminating zero and zero padding
constexpr qint32 kMaxRecords = 65535;

class Writer {
public:
    void U8(quint8 value) { m_bytes.append(static_cast<char>(value)); }
    void U16(quint16 value) {
        char bytes[2];
        qToLittleEndian(value, bytes);
        m_bytes.append(bytes, 2);
    }
    void U32(quint32 value) {
        char bytes[4];
        qToLittleEndian(value, bytes);
        m_bytes.append(bytes, 4);
    }
    void Text(const QString& text) {
        U16(static_cast<quint16>(text.size()));
        for (QChar c : text)
            U16(c.unicode());
        U16(0);
    }
    void Font(const FontSetting& font) {
        Text(font.faceName);
        U16(font.pointSize);
        U32(font.colour);
        U8(static_cast<quint8>(font.bold != 0));
        U8(static_cast<quint8>(font.italic != 0));
        U8(static_cast<quint8>(font.underline != 0));
        U8(font.colourIndex);
    }
    QByteArray& Bytes() { return m_bytes; }

private:
    QByteArray m_bytes;
};

// Reads within the block; the first read past its end or of a bad text marks the whole read as failed.
class Reader {
public:
    explicit Reader(const QByteArray& bytes) : m_bytes(bytes) {}

    bool Ok() const { return m_ok; }
    qsizetype Remaining() const { return m_bytes.size() - m_at; }
    bool Skip(qsizetype count) { return Take(count) != nullptr; }
    quint8 U8() {
        const char* p = Take(1);
        return p ? static_cast<quint8>(*p) : 0;
    }
    quint16 U16() {
        const char* p = Take(2);
        return p ? qFromLittleEndian<quint16>(p) : 0;
    }
    quint32 U32() {
        const char* p = Take(4);
        return p ? qFromLittleEndian<quint32>(p) : 0;
    }
    QString Text(int maxLength) {
        const int length = U16();
        if (length > maxLength) {
            m_ok = false;
            return {};
        }
        QString text;
        text.reserve(length);
        for (int i = 0; i < length && m_ok; ++i) {
            const quint16 unit = U16();
            if (unit == 0)
                m_ok = false;
            text.append(QChar(unit));
        }
        if (U16() != 0)
            m_ok = false;
        return text;
    }
    FontSetting Font() {
        FontSetting font;
        font.faceName = Text(FontSetting::MaxFaceNameLength);
        font.pointSize = U16();
        font.colour = U32();
        font.bold = U8();
        font.italic = U8();
        font.underline = U8();
        font.colourIndex = U8();
        return font;
    }

private:
    const char* Take(qsizetype count) {
        if (!m_ok || count > Remaining()) {
            m_ok = false;
            return nullptr;
        }
        const char* p = m_bytes.constData() + m_at;
        m_at += count;
        return p;
    }

    const QByteArray& m_bytes;
    qsizetype m_at = 0;
    bool m_ok = true;
};

// The bytes of one record whose texts are all empty (an empty text is its length and its terminator).
constexpr qsizetype kEmptyText = 4;
constexpr qsizetype kMinRecordBytes = 4 + 5 * 2 + 1 + 1 +
                                      CLogicLine::SlotCapacity * (kEmptyText + kEmptyText + 2 + 4 + 4) + 1 + 2 + 4 +
                                      kEmptyText + CLogicLine::UrlCount * kEmptyText + 1;

bool IsValidKind(int kind) {
    return (kind >= SyntaxFn && kind <= SyntaxPlainLine);
}

bool HasValidColumns(const CLogicLine& line) {
    const int columns[] = {line.Top, line.Next, line.Home, line.Home2, line.End};
    for (int column : columns) {
        if (column > LogicLineBlock::MaxColumn)
            return false;
    }
    if (line.lineKind == SyntaxPlainLine)
        return true;
    if (line.Home < line.Top || line.End < line.Home)
        return false;
    // The columns of a statement follow from its indentation and its slot texts.
    int used = 0;
    for (int slot = 0; slot < CLogicLine::SlotsOfKind(line.lineKind); ++slot)
        used += static_cast<int>(line.textSlots[slot].text.size());
    return line.End <= line.Home + used + 3;
}

} // namespace

namespace LogicLineBlock {

QByteArray Encode(const std::vector<const CLogicLine*>& lines) {
    Writer writer;
    for (QChar c : kSignature)
        writer.U16(c.unicode());
    while (writer.Bytes().size() < kSignatureBytes)
        writer.U8(0);
    writer.U32(static_cast<quint32>(lines.size()));
    for (const CLogicLine* line : lines) {
        writer.U32(line->calledInternalID);
        writer.U16(line->Top);
        writer.U16(line->Next);
        writer.U16(line->Home);
        writer.U16(line->Home2);
        writer.U16(line->End);
        writer.U8(line->lineKind);
        writer.U8(line->slotCount);
        for (const TextSlot& slot : line->textSlots) {
            writer.Text(slot.text);
            writer.Font(slot.Font());
        }
        writer.U8(line->auxiliaryVerbFlag);
        writer.U16(line->auxiliaryVerbId);
        writer.U32(line->mark);
        writer.Text(line->Memo());
        for (const QString& url : line->Urls())
            writer.Text(url);
        writer.U8(line->transitionAttribute);
    }
    return writer.Bytes();
}

std::optional<std::vector<CLogicLine>> Decode(const QByteArray& block) {
    Reader reader(block);
    QString signature;
    for (int i = 0; i < kSignature.size(); ++i)
        signature.append(QChar(reader.U16()));
    if (!reader.Ok() || signature != kSignature || reader.U16() != 0)
        return std::nullopt;
    reader.Skip(kSignatureBytes - (kSignature.size() + 1) * 2);
    const auto count = static_cast<qint32>(reader.U32());
    if (!reader.Ok() || count < 1 || count > kMaxRecords || reader.Remaining() < count * kMinRecordBytes)
        return std::nullopt;
    std::vector<CLogicLine> lines(static_cast<size_t>(count));
    for (CLogicLine& line : lines) {
        line.calledInternalID = reader.U32();
        line.Top = reader.U16();
        line.Next = reader.U16();
        line.Home = reader.U16();
        line.Home2 = reader.U16();
        line.End = reader.U16();
        line.lineKind = reader.U8();
        line.slotCount = reader.U8();
        for (TextSlot& slot : line.textSlots) {
            slot.text = reader.Text(CLogicLine::MaxSlotTextLength);
            slot.SetFont(reader.Font());
        }
        line.auxiliaryVerbFlag = reader.U8();
        line.auxiliaryVerbId = reader.U16();
        line.mark = reader.U32();
        line.SetMemo(reader.Text(CLogicLine::MaxMemoLength));
        for (int url = 0; url < CLogicLine::UrlCount; ++url)
            line.SetUrl(url, reader.Text(CLogicLine::MaxUrlLength));
        line.transitionAttribute = reader.U8();
        if (!reader.Ok() || !IsValidKind(line.lineKind) || !HasValidColumns(line) || line.transitionAttribute > 2)
            return std::nullopt;
    }
    if (reader.Remaining() != 0)
        return std::nullopt;
    return lines;
}

} // namespace LogicLineBlock
