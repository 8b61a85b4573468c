#pragma once

#include "settings/FontChoice.h"

#include <QDialog>

class CFontInfo;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
struct CMessageContext;

// The faces installed on this machine, as the font table of the application is filled with.
QStringList EnumerateFonts();

// The font dialog: face, size, one of the sixteen colours, bold, italic and underline, with a sample drawn at the
// editors' text zoom. Opened from the logic editor on a member or state name, it offers to give the font to
// every occurrence of that name. OK writes the choice back; Cancel leaves it as it was.
class CFontDlg : public QDialog {
    Q_OBJECT
public:
    // `installed` lists the faces; `nameAtCaret` is the member or state name under the caret, empty for none.
    CFontDlg(const CMessageContext& context, const CFontInfo& installed, CFontChoice& choice, double zoom,
             const QString& nameAtCaret = {}, QWidget* parent = nullptr);
    void accept() override;

    // Runs the dialog over the faces of this machine's font table; true after an OK that changed something.
    static bool Edit(const CMessageContext& context, CFontChoice& choice, double zoom, const QString& nameAtCaret,
                     QWidget* parent);

    QListWidget* FaceList() const { return m_faces; }
    QComboBox* SizeBox() const { return m_size; }
    QComboBox* ColourBox() const { return m_colour; }
    QCheckBox* BoldBox() const { return m_bold; }
    QCheckBox* ItalicBox() const { return m_italic; }
    QCheckBox* UnderlineBox() const { return m_underline; }
    // Null unless a name lies under the caret of the logic editor.
    QCheckBox* AllOccurrencesBox() const { return m_allOccurrences; }
    QLabel* Sample() const { return m_sample; }

private:
    void ShowSample();

    CFontChoice& m_result;
    CFontChoice m_choice;
    double m_zoom;
    QString m_nameAtCaret;
    QString m_shownFace; // the face the list showed selected on opening
    QListWidget* m_faces;
    QComboBox* m_size;
    QComboBox* m_colour;
    QCheckBox* m_bold;
    QCheckBox* m_italic;
    QCheckBox* m_underline;
    QCheckBox* m_allOccurrences = nullptr;
    QLabel* m_sample;
};
