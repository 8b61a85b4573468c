#pragma once

#include <QString>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QSettings;

// Per-user values that outlive a document, kept in one INI file under the XDG config directory
// ($XDG_CONFIG_HOME/Brelk/NUV.ini). Each value carries its type, so a number stored as text (or the other
// way round) reads as missing, as the program expects of its stored values.
namespace platform {

// The longest text value the program ever writes (what the registry's 64 KB text buffer holds); a longer one
// did not come from the program and reads as missing where a value is taken from the store.
constexpr int kMaxTextValueUnits = 32767;

class SettingsStore {
public:
    // All values of one store live in one section of the file ("NUV_Pral" for the program's own values).
    // The file is opened once, so a store kept for many reads parses it once.
    explicit SettingsStore(QString section);

    // The file every store made from now on reads and writes; its directory is created on the first write.
    static QString FilePath();
    // The largest file that is read: every wording entry at its longest, each character escaped, comes to less
    // than half of it.
    static constexpr qint64 MaxFileBytes = qint64(8) << 20;

    // Whether the file is missing or a regular file (a link to one too) of at most MaxFileBytes. Anything else, a
    // pipe that would wait for a writer, a device that never ends or a file that would hold up every start, is never
    // opened: every value then reads as missing and no write reaches it.
    static bool FileUsable();

    std::optional<quint32> ReadDword(const QString& name) const;
    std::optional<QString> ReadText(const QString& name) const;

    // True only when the value reached the file.
    bool WriteDword(const QString& name, quint32 value);
    bool WriteText(const QString& name, const QString& text);
    // Many named texts at once: every value first, then the file once. True only when all reached it.
    bool WriteTexts(const std::vector<std::pair<QString, QString>>& texts);

private:
    std::optional<QString> ReadRaw(const QString& name) const;
    // Sets every value, then writes the file once.
    bool WriteRaw(const std::vector<std::pair<QString, QString>>& raws);

    QString m_section;
    std::shared_ptr<QSettings> m_settings; // none when the file is not usable
};

// The declaration of one stored value: the section and name it lives under and what it reads as when it is
// missing or of another kind. The values themselves are declared in UserSettings.h.
template <typename T> struct Setting {
    QString section;
    QString name;
    T defaultValue;
};
using DwordSetting = Setting<quint32>;
using TextSetting = Setting<QString>;

// The stored value, or nothing when it is missing or of another kind.
std::optional<quint32> StoredSetting(const DwordSetting& setting);
std::optional<QString> StoredSetting(const TextSetting& setting);

// The stored value, or the declared default.
template <typename T> T ReadSetting(const Setting<T>& setting) {
    return StoredSetting(setting).value_or(setting.defaultValue);
}

// True only when the value reached the file.
bool WriteSetting(const DwordSetting& setting, quint32 value);
bool WriteSetting(const TextSetting& setting, const QString& text);
// Many texts at once, the file written once per section. True only when all reached it.
bool WriteSettings(const std::vector<std::pair<TextSetting, QString>>& texts);

} // namespace platform
