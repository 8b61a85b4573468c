#include "texts/TextHelpers.h"

#include "platform/UserFile.h"
#include "texts/MessageContext.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QFileInfo>

namespace {

QString NumberedGroup(const CMessageContext& context, int number) {
    return Msg::GroupN(context).replace(QLatin1String("%d"), QString::number(number));
}

} // namespace

QString UnopenedFileText(const QString& path, const QString& otherwise) {
    return platform::IsOtherThanRegularFile(path) ? LoadString(StringId::NotARegularFileToRead).arg(path) : otherwise;
}

QString UnreadFileText(const CMessageContext& context, const QString& path, qint64 maxBytes, const QString& otherwise) {
    if (platform::IsOtherThanRegularFile(path))
        return LoadString(context, StringId::FileNotRegularToReadJa, StringId::FileNotRegularToReadEn).arg(path);
    if (platform::IsUnreadableByUser(path))
        return LoadString(context, StringId::FileNotPermittedToReadJa, StringId::FileNotPermittedToReadEn).arg(path);
    if (QFileInfo(path).size() > maxBytes)
        return LoadString(context, StringId::FileTooLargeToReadJa, StringId::FileTooLargeToReadEn)
            .arg(path)
            .arg(maxBytes);
    return otherwise;
}

QString FileReadOutOfMemoryText(const CMessageContext& context, const QString& path) {
    return LoadString(context, StringId::FileReadOutOfMemoryJa, StringId::FileReadOutOfMemoryEn).arg(path);
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
