#include "platform/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <map>

namespace platform {

namespace {

// The type travels with the value: "dword:" and eight hexadecimal digits, or "sz:" and the text.
const QString kDwordPrefix = QStringLiteral("dword:");
const QString kTextPrefix = QStringLiteral("sz:");

QString Key(const QString& section, const QString& name) {
    return section + QLatin1Char('/') + name;
}

} // namespace

SettingsStore::SettingsStore(QString section)
    : m_section(std::move(section)),
      m_settings(FileUsable() ? std::make_shared<QSettings>(FilePath(), QSettings::IniFormat) : nullptr) {}

bool SettingsStore::FileUsable() {
    const QFileInfo file(FilePath());
    return !file.exists() || (file.isFile() && file.size() <= MaxFileBytes);
}

QString SettingsStore::FilePath() {
    // Looked up on every call so that a changed XDG_CONFIG_HOME (tests, a fresh session) is honoured.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Brelk/NUV.ini");
}

std::optional<QString> SettingsStore::ReadRaw(const QString& name) const {
    if (!m_settings)
        return std::nullopt;
    const QVariant value = m_settings->value(Key(m_section, name));
    if (!value.isValid() || value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

bool SettingsStore::WriteRaw(const std::vector<std::pair<QString, QString>>& raws) {
    if (!m_settings || !QDir().mkpath(QFileInfo(m_settings->fileName()).absolutePath()))
        return false;
    for (const auto& [name, raw] : raws)
        m_settings->setValue(Key(m_section, name), raw);
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

std::optional<quint32> SettingsStore::ReadDword(const QString& name) const {
    const std::optional<QString> raw = ReadRaw(name);
    if (!raw || !raw->startsWith(kDwordPrefix))
        return std::nullopt;
    bool ok = false;
    const quint32 value = raw->mid(kDwordPrefix.size()).toUInt(&ok, 16);
    return ok ? std::optional<quint32>(value) : std::nullopt;
}

std::optional<QString> SettingsStore::ReadText(const QString& name) const {
    const std::optional<QString> raw = ReadRaw(name);
    if (!raw || !raw->startsWith(kTextPrefix))
        return std::nullopt;
    return raw->mid(kTextPrefix.size());
}

bool SettingsStore::WriteDword(const QString& name, quint32 value) {
    return WriteRaw({{name, kDwordPrefix + QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0'))}});
}

bool SettingsStore::WriteText(const QString& name, const QString& text) {
    return WriteTexts({{name, text}});
}

bool SettingsStore::WriteTexts(const std::vector<std::pair<QString, QString>>& texts) {
    std::vector<std::pair<QString, QString>> raws;
    raws.reserve(texts.size());
    for (const auto& [name, text] : texts)
        raws.emplace_back(name, kTextPrefix + text);
    return WriteRaw(raws);
}

std::optional<quint32> StoredSetting(const DwordSetting& setting) {
    return SettingsStore(setting.section).ReadDword(setting.name);
}

std::optional<QString> StoredSetting(const TextSetting& setting) {
    return SettingsStore(setting.section).ReadText(setting.name);
}

bool WriteSetting(const DwordSetting& setting, quint32 value) {
    return SettingsStore(setting.section).WriteDword(setting.name, value);
}

bool WriteSetting(const TextSetting& setting, const QString& text) {
    return SettingsStore(setting.section).WriteText(setting.name, text);
}

bool WriteSettings(const std::vector<std::pair<TextSetting, QString>>& texts) {
    std::map<QString, std::vector<std::pair<QString, QString>>> bySection;
    for (const auto& [setting, text] : texts)
        bySection[setting.section].emplace_back(setting.name, text);
    bool written = true;
    for (const auto& [section, named] : bySection)
        written = SettingsStore(section).WriteTexts(named) && written;
    return written;
}

} // namespace platform
