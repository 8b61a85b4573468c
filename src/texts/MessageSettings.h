#pragma once

#include <QString>

#include <map>

class QIODevice;
class CWordingStore;

// The user-editable wording table: every word in Japanese, English singular and English plural.
class CMessageSettings {
public:
    struct Key {
        QString key;
        int language = 0; // 1 Japanese, 0 English
        QString form;     // empty for Japanese, "Singular" or "Plural" for English

        bool operator<(const Key& other) const;
        bool operator==(const Key& other) const = default;
        // The entry name used by the messages file and the stored wording: "Message-Function-en-Plural".
        QString ToString() const;
    };

    // The longest text an entry may hold. The longest default text has 51 units; twenty times that leaves room for
    // any wording of a word, while a messages file or stored value far longer never reaches the table.
    static constexpr int MaxTextUnits = 1024;

    CMessageSettings();

    void InitDefaults();
    void AddEntry(const QString& key, const QString& japanese, const QString& englishSingular,
                  const QString& englishPlural);
    // The text of one entry with every "%" removed, so that a word can never act as a format directive.
    QString GetEntry(const QString& key, int language, const QString& form) const;
    const std::map<Key, QString>& GetEntries() const { return m_entries; }

    bool HasNoPercentSign() const;
    void RemovePercentSigns();

    // The messages text file: one "name=text" line per entry, UTF-8, CR LF.
    bool WriteToFile(QIODevice& file) const;
    // Applies the texts the file gives its entries; none when one of them is longer than MaxTextUnits, whose entry
    // name is then returned (empty when the file was applied). `entries`, when given, counts the entries the file
    // names.
    QString ReadFromFile(QIODevice& file, int* entries = nullptr);

    // The stored wording: one value per entry, named like the lines of the messages file.
    bool SaveToRegistry(CWordingStore& store) const;
    // A stored text that is empty or longer than MaxTextUnits keeps the built-in text.
    void LoadFromRegistry(const CWordingStore& store);

    bool operator==(const CMessageSettings& other) const = default;

private:
    // A lookup of a word the table lacks records it with an empty text, so that it shows up in the
    // exported file and can be filled in there.
    mutable std::map<Key, QString> m_entries;
};
