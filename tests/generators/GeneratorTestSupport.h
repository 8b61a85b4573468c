#pragma once

#include "model/DocumentData.h"
#include "platform/MessageBox.h"

#include <QString>
#include <QTemporaryDir>

#include <initializer_list>

// A document of logic scripts (see support/logic/LogicScript.h): the first is the origin, the others its
// children in order, or the children of the unit function named as their parent.
class GeneratorTestDocument {
public:
    struct Function {
        Function(const char* name, const char* script, const char* parent = "")
            : name(QString::fromUtf8(name)), script(QString::fromUtf8(script)), parent(QString::fromUtf8(parent)) {}
        Function(const char* name, const QString& script) : name(QString::fromUtf8(name)), script(script) {}
        QString name;
        QString script;
        QString parent; // empty: the origin
    };

    GeneratorTestDocument(std::initializer_list<Function> functions);

    CUnitFunction& Find(const QString& name) const;

    CDocumentData data;
};

// A folder for the files a test writes, and the messages it shows answered from a script.
class GeneratorOutputTest {
public:
    QString Path(const QString& name) const { return m_folder.filePath(name); }

    QTemporaryDir m_folder;
    platform::ScriptedMessageSink messages;
};

// Compares the written file with the golden file tests/data/generators/NAME byte for byte. With NUV_UPDATE_GOLDEN
// set in the environment the golden file is written instead.
void ExpectSameAsGolden(const QString& path, const QString& goldenName);
