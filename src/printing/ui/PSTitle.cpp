#include "printing/ui/PSTitle.h"

#include "model/DocumentData.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

CPSTitle::CPSTitle(PrintSettings& settings, QString& documentTitle, const CMessageContext& context, QWidget* parent)
    : CPropertyPage(Msg::Title(context), parent), m_settings(settings), m_documentTitle(documentTitle) {
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(Msg::PrintPosition(context), this), 0, 2);
    grid->addWidget(new QLabel(Msg::Border(context), this), 0, 3);
    const QString names[] = {LoadString(StringId::PrintTitleDocumentTitle), Msg::FileName(context),
                             LoadString(StringId::PrintTitleVersion), Msg::Pattern1(context), Msg::Pattern2(context)};
    const QString positions[] = {LoadString(StringId::PrintNotPrinted),
                                 Msg::TopLeft(context),
                                 Msg::TopCenter(context),
                                 Msg::TopRight(context),
                                 Msg::CenterLeft(context),
                                 Msg::Center(context),
                                 Msg::CenterRight(context),
                                 Msg::BottomLeft(context),
                                 Msg::BottomCenter(context),
                                 Msg::BottomRight(context)};
    for (int k = 0; k < PrintSettings::TitleLineCount; ++k) {
        const PrintTitleLine& line = settings.titleLines[k];
        const int row = k + 1;
        grid->addWidget(new QLabel(names[k], this), row, 0);
        QLineEdit* text = nullptr;
        if (k == PrintSettings::DocumentTitle) {
            text = new QLineEdit(documentTitle, this);
            text->setMaxLength(DocumentHeader::MaxTitleLength);
        } else if (k != PrintSettings::FileName && k != PrintSettings::VersionInformation) {
            text = new QLineEdit(line.text, this);
            text->setMaxLength(PrintTitleLine::MaxTextLength);
        }
        if (text)
            grid->addWidget(text, row, 1);
        m_texts.push_back(text);
        auto* position = new QComboBox(this);
        for (const QString& name : positions)
            position->addItem(name);
        position->setCurrentIndex(line.point <= 9 ? line.point : 0);
        grid->addWidget(position, row, 2);
        m_positions.push_back(position);
        auto* frame = new QCheckBox(this);
        frame->setChecked(line.border != 0);
        grid->addWidget(frame, row, 3);
        m_frames.push_back(frame);
    }
    grid->setRowStretch(PrintSettings::TitleLineCount + 1, 1);
}

void CPSTitle::Apply() {
    for (int k = 0; k < PrintSettings::TitleLineCount; ++k) {
        PrintTitleLine& line = m_settings.titleLines[k];
        if (k == PrintSettings::DocumentTitle)
            m_documentTitle = m_texts[k]->text();
        else if (m_texts[k])
            line.text = m_texts[k]->text();
        line.point = static_cast<quint16>(m_positions[k]->currentIndex());
        line.border = m_frames[k]->isChecked() ? 1 : 0;
    }
}
