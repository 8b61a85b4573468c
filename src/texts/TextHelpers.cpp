#include "texts/TextHelpers.h"

#include "platform/UserFile.h"
#include "platform/WholeCharacters.h"
#include "texts/MessageContext.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

QString NumberedGroup(const CMessageContext& context, int number) {
    return Msg::GroupN(context).replace(QLatin1String("%d"), QString::number(number));
}

} // namespace

QString ShownText(const QString& text, qsizetype start, qsizetype length, qsizetype shownLength) {
    if (text.size() <= shownLength)
        return text;
    start = std::clamp<qsizetype>(start, 0, text.size());
    length = std::clamp<qsizetype>(length, 0, text.size() - start);
    qsizetype begin = 0;
    if (start + length > shownLength)
        begin = std::min(start - std::max<qsizetype>(0, (shownLength - length) / 2), text.size() - shownLength);
    const qsizetype end = platform::WholeCharactersLength(text, begin + shownLength);
    if (begin > 0 && text[begin].isLowSurrogate())
        ++begin;
    const QChar ellipsis(0x2026);
    QString shown;
    shown.reserve(end - begin + 2);
    if (begin > 0)
        shown += ellipsis;
    shown += QStringView(text).mid(begin, end - begin);
    if (end < text.size())
        shown += ellipsis;
    return shown;
}

QString ShortenPathInMiddle(const QString& path, qsizetype maxLength) {
    if (path.size() <= maxLength || maxLength < 1)
        return path;
    const QChar ellipsis(0x2026);
    const QChar separator = QDir::separator();
    // Whole folders give way first: the start of the path up to its first folder stays, and as many of the last
    // folders before the file name as leave room.
    const qsizetype headEnd = path.indexOf(separator, path.startsWith(separator) ? 1 : 0) + 1;
    qsizetype tailStart = path.lastIndexOf(separator);
    if (headEnd > 0 && tailStart >= headEnd && headEnd + 1 + (path.size() - tailStart) <= maxLength) {
        for (qsizetype earlier = path.lastIndexOf(separator, tailStart - 1);
             earlier >= headEnd && headEnd + 1 + (path.size() - earlier) <= maxLength;
             earlier = path.lastIndexOf(separator, earlier - 1))
            tailStart = earlier;
        return path.left(headEnd) + ellipsis + path.mid(tailStart);
    }
    // A file name too long for that is cut in its middle, never inside a character.
    qsizetype left = maxLength / 2;
    qsizetype right = maxLength - 1 - left;
    if (left > 0 && path.at(left - 1).isHighSurrogate())
        --left;
    if (right > 0 && path.at(path.size() - right).isLowSurrogate())
        --right;
    return path.left(left) + ellipsis + path.right(right);
}

QString ShownPath(const QString& path) {
    return ShortenPathInMiddle(path, ShownTextLength);
}

QString UnopenedFileText(const QString& path, const QString& otherwise) {
    return platform::IsOtherThanRegularFile(path) ? LoadString(StringId::NotARegularFileToRead).arg(ShownPath(path))
                                                  : otherwise;
}

QString UnreadFileText(const CMessageContext& context, const QString& path, qint64 maxBytes, const QString& otherwise) {
    if (platform::IsOtherThanRegularFile(path))
        return LoadString(context, StringId::FileNotRegularToReadJa, StringId::FileNotRegularToReadEn)
            .arg(ShownPath(path));
    if (platform::IsUnreadableByUser(path))
        return LoadString(context, StringId::FileNotPermittedToReadJa, StringId::FileNotPermittedToReadEn)
            .arg(ShownPath(path));
    if (QFileInfo(path).size() > maxBytes)
        return LoadString(context, StringId::FileTooLargeToReadJa, StringId::FileTooLargeToReadEn)
            .arg(ShownPath(path))
            .arg(maxBytes);
    return otherwise;
}

QString FileReadOutOfMemoryText(const CMessageContext& context, const QString& path) {
    return LoadString(context, StringId::FileReadOutOfMemoryJa, StringId::FileReadOutOfMemoryEn).arg(ShownPath(path));
}

QString CapitalizeFirstLetter(QString text) {
    if (!text.isEmpty() && text[0] >= u'a' && text[0] <= u'z') {
        text[0] = QChar(text[0].unicode() - 32);
    }
    return text;
}

QString LiteralCaption(QString text) {
    return text.replace(u'&', QStringLiteral("&&"));
}

QString MakeMenuItemText(const CMessageContext& context, const QString& text, const QString& mnemonic) {
    // Four ampersands per literal one: the caption is unescaped twice before it is shown.
    QString caption = text;
    caption.replace(u'&', QStringLiteral("&&&&"));
    if (mnemonic.isEmpty()) {
        return caption;
    }
    if (context.m_language != 0) {
        return caption + QStringLiteral("(&") + mnemonic + u')';
    }
    return u'&' + caption;
}

QString GetVeskAttributeText(const CMessageContext& context, int index) {
    switch (index) {
    case 0:
        return Msg::UnderConsideration(context);
    case 1:
        return Msg::Heisting(context);
    case 2:
        return Msg::MoreInvestigation(context);
    case 3:
        return Msg::AskOpinions(context);
    case 4:
        return Msg::Pending(context);
    case 5:
        return Msg::Redefine(context);
    case 6:
        return Msg::Review(context);
    case 13:
        return Msg::QuantifierExists(context);
    case 14:
        return Msg::QuantifierError(context);
    default:
        return NumberedGroup(context, index + 1);
    }
}

QString GetVeskGroupName(const CMessageContext& context, int index) {
    return index == 3 ? Msg::Automatic(context) : NumberedGroup(context, index + 1);
}
