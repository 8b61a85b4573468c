#include "texts/MessageSettings.h"

#include "platform/Trace.h"
#include "texts/WordingStore.h"

#include <QIODevice>

namespace {

const QString kSingular = QStringLiteral("Singular");
const QString kPlural = QStringLiteral("Plural");

} // namespace

bool CMessageSettings::Key::operator<(const Key& other) const {
    if (const int order = QString::compare(key, other.key, Qt::CaseSensitive); order != 0) {
        return order < 0;
    }
    if (language != other.language) {
        return language < other.language;
    }
    return QString::compare(form, other.form, Qt::CaseSensitive) < 0;
}

QString CMessageSettings::Key::ToString() const {
    QString languageName;
    if (language == 1) {
        languageName = QStringLiteral("ja");
    } else if (language == 0) {
        languageName = QStringLiteral("en");
    }
    return QStringLiteral("Message-") + key + u'-' + languageName + u'-' + form;
}

CMessageSettings::CMessageSettings() {
    InitDefaults();
}

void CMessageSettings::AddEntry(const QString& key, const QString& japanese, const QString& englishSingular,
                                const QString& englishPlural) {
    m_entries[Key{key, 1, QString()}] = japanese;
    m_entries[Key{key, 0, kSingular}] = englishSingular;
    m_entries[Key{key, 0, kPlural}] = englishPlural;
}

QString CMessageSettings::GetEntry(const QString& key, int language, const QString& form) const {
    const Key entryKey{key, language, form};
    QString text = m_entries[entryKey];
    if (text.isEmpty()) {
        qCDebug(nuvTrace).noquote() << "CMessageSettings::GetEntry: " + entryKey.ToString() + " is empty.";
    }
    if (text.contains(u'%')) {
        qCDebug(nuvTrace).noquote() << "CMessageSettings::GetEntry: " + entryKey.ToString() + " contains the % symbol.";
        text.remove(u'%');
    }
    return text;
}

bool CMessageSettings::HasNoPercentSign() const {
    for (const auto& [key, text] : m_entries) {
        if (text.contains(u'%')) {
            return false;
        }
    }
    return true;
}

void CMessageSettings::RemovePercentSigns() {
    for (auto& [key, text] : m_entries) {
        text.remove(u'%');
    }
}

bool CMessageSettings::WriteToFile(QIODevice& file) const {
    for (const auto& [key, text] : m_entries) {
        const QByteArray line = (key.ToString() + u'=' + text).toUtf8() + "\r\n";
        if (file.write(line) != line.size()) {
            return false;
        }
    }
    return true;
}

QString CMessageSettings::ReadFromFile(QIODevice& file, int* entries) {
    QByteArray content = file.readAll();
    // Editors on other systems often save with a byte-order mark; it is not part of the first name.
    if (content.startsWith("\xef\xbb\xbf")) {
        content.remove(0, 3);
    }
    // Only lines that name an entry are kept: the file's other lines cost nothing however many there are.
    std::map<QString, QString*> byName;
    for (auto& [key, entryText] : m_entries) {
        byName.emplace(key.ToString(), &entryText);
    }
    std::map<QString*, QString> lines;
    QByteArray name;
    QByteArray text;
    bool inText = false;
    for (const char byte : content) {
        if (byte == '\n') {
            if (inText) {
                if (text.endsWith('\r')) {
                    text.chop(1);
                }
                if (const auto found = byName.find(QString::fromUtf8(name)); found != byName.end()) {
                    lines[found->second] = QString::fromUtf8(text);
                }
            }
            // A line without "=" names nothing and is skipped.
            name.clear();
            text.clear();
            inText = false;
        } else if (inText) {
            text.append(byte);
        } else if (byte == '=') {
            inText = true;
        } else {
            name.append(byte);
        }
    }
    // Bytes after the last line feed are an unfinished line and are not applied.
    if (entries) {
        *entries = static_cast<int>(lines.size());
    }
    for (auto& [key, entryText] : m_entries) {
        const auto found = lines.find(&entryText);
        if (found != lines.end() && found->second.size() > MaxTextUnits) {
            return key.ToString();
        }
    }
    for (auto& [entryText, read] : lines) {
        *entryText = read;
    }
    return QString();
}

bool CMessageSettings::SaveToRegistry(CWordingStore& store) const {
    std::vector<std::pair<QString, QString>> texts;
    texts.reserve(m_entries.size());
    for (const auto& [key, text] : m_entries) {
        texts.emplace_back(key.ToString(), text);
    }
    return store.WriteTexts(texts);
}

void CMessageSettings::LoadFromRegistry(const CWordingStore& store) {
    // Only the words the table knows are read; an empty or unreadable value keeps the built-in text.
    for (auto& [key, text] : m_entries) {
        const std::optional<QString> stored = store.ReadText(key.ToString());
        if (stored && !stored->isEmpty() && stored->size() <= MaxTextUnits)
            text = *stored;
    }
}
