#pragma once

#include "platform/FileReplacement.h"

#include <QFile>
#include <QList>

#include <cstdio>

#include <functional>
#include <utility>

// Does `act` once while the next temporary file of a replacement is written (or, `atCompare`, once the content of the
// file found is read to be compared), as another program can then; with `renameError`, the file system cannot rename
// with flags (EINVAL) while it lives.
class TemporaryWriteMoment : public platform::TemporaryWriteHook {
public:
    explicit TemporaryWriteMoment(std::function<void()> act, int renameError = 0, bool atCompare = false)
        : m_act(std::move(act)), m_renameError(renameError), m_atCompare(atCompare) {}
    int Writing(qint64, qint64) override {
        if (!m_atCompare)
            Act();
        return 0;
    }
    int Renaming() override { return m_renameError; }
    void ContentCompared() override {
        if (m_atCompare)
            Act();
    }
    bool Acted() const { return !m_act; }

private:
    void Act() {
        if (const std::function<void()> act = std::exchange(m_act, nullptr))
            act();
    }

    std::function<void()> m_act;
    int m_renameError;
    bool m_atCompare;
    platform::TemporaryWriteHookInstaller m_installer{*this};
};

// Another program that saves a file by rename (a new file given its name) right before the next renames of a
// replacement's temporary file, one save a rename, as it can then.
class SavesByRename : public platform::TemporaryWriteHook {
public:
    SavesByRename(const QString& path, const QList<QByteArray>& saves) : m_path(path), m_saves(saves) {}
    int Writing(qint64, qint64) override { return 0; }
    int Renaming() override {
        if (m_saves.isEmpty())
            return 0;
        const QString theirs = m_path + ".theirs";
        QFile file(theirs);
        if (file.open(QIODevice::WriteOnly) && file.write(m_saves.takeFirst()) >= 0 && file.flush())
            std::rename(QFile::encodeName(theirs).constData(), QFile::encodeName(m_path).constData());
        return 0;
    }

private:
    QString m_path;
    QList<QByteArray> m_saves;
    platform::TemporaryWriteHookInstaller m_installer{*this};
};
