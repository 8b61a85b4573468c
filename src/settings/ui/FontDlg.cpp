#include "settings/ui/FontDlg.h"

#include "model/FontInfo.h"
#include "model/ModelShell.h"
#include "platform/MessageBox.h"
#include "settings/ui/ColourNames.h"
#include "texts/Msg.h"
#include "texts/StringTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

// A check box for an attribute the selection does not have in common shows neither state until it is clicked.
void ShowFlag(QCheckBox* box, bool common, qint32 value) {
    box->setTristate(!common);
    box->setCheckState(!common ? Qt::PartiallyChecked : value ? Qt::Checked : Qt::Unchecked);
}

} // namespace

QStringList EnumerateFonts() {
    return QFontDatabase::families();
}

CFontDlg::CFontDlg(const CMessageContext& context, const CFontInfo& installed, CFontChoice& choice, double zoom,
                   const QString& nameAtCaret, QWidget* parent)
    : QDialog(parent), m_result(choice), m_choice(choice), m_zoom(zoom), m_nameAtCaret(nameAtCaret),
      m_faces(new QListWidget(this)), m_size(new QComboBox(this)), m_colour(new QComboBox(this)),
      m_bold(new QCheckBox(Msg::Bold(context), this)), m_italic(new QCheckBox(Msg::Italic(context), this)),
      m_underline(new QCheckBox(Msg::UnderLine(context), this)), m_sample(new QLabel(this)) {
    setWindowTitle(Msg::Font(context));
    const quint32 common = choice.mask;

    m_faces->addItems(installed.Faces());
    if (common & FontAttributeFace) {
        m_shownFace = choice.ShownFace(installed);
        const QList<QListWidgetItem*> shown = m_faces->findItems(m_shownFace, Qt::MatchExactly);
        if (!shown.isEmpty()) {
            m_faces->setCurrentItem(shown.front());
            m_faces->scrollToItem(shown.front());
        }
    }
    m_size->setEditable(true);
    for (int size : CFontChoice::SizeChoices())
        m_size->addItem(CFontChoice::SizeText(size));
    m_size->setCurrentIndex(-1);
    m_size->setEditText((common & FontAttributeSize) ? CFontChoice::SizeText(choice.font.pointSize) : QString());
    AddColourNames(*m_colour, context);
    m_colour->setCurrentIndex(
        (common & FontAttributeColour) && choice.font.colourIndex < m_colour->count() ? choice.font.colourIndex : -1);
    ShowFlag(m_bold, common & FontAttributeBold, choice.font.bold);
    ShowFlag(m_italic, common & FontAttributeItalic, choice.font.italic);
    ShowFlag(m_underline, common & FontAttributeUnderline, choice.font.underline);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(LoadString(StringId::FontDialogFace), this), 0, 0);
    grid->addWidget(m_faces, 1, 0, 5, 1);
    grid->addWidget(new QLabel(Msg::Size(context), this), 0, 1);
    grid->addWidget(m_size, 1, 1);
    grid->addWidget(new QLabel(Msg::Color(context), this), 2, 1);
    grid->addWidget(m_colour, 3, 1);
    grid->addWidget(m_bold, 4, 1);
    grid->addWidget(m_italic, 5, 1);
    grid->addWidget(m_underline, 6, 1);
    auto* sampleBox = new QGroupBox(LoadString(StringId::FontDialogSample), this);
    auto* sampleLayout = new QVBoxLayout(sampleBox);
    m_sample->setText(Msg::ABCabc123(context));
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setMinimumHeight(60);
    sampleLayout->addWidget(m_sample);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(sampleBox);
    if (choice.mode == CFontChoice::FromLogicEditor && !nameAtCaret.isEmpty()) {
        m_allOccurrences = new QCheckBox(LoadString(StringId::FontDialogAllOccurrences).arg(nameAtCaret), this);
        layout->addWidget(m_allOccurrences);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    // Only a face the user picks changes the font: the list's own moves (a first row made current as it takes the
    // focus) select nothing, and a face that is not installed keeps its name.
    connect(m_faces, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> selected = m_faces->selectedItems();
        if (selected.isEmpty())
            return;
        m_choice.SetFace(selected.front()->text());
        ShowSample();
    });
    connect(m_size, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (const std::optional<quint16> size = CFontChoice::ParseSize(text)) {
            m_choice.SetPointSize(*size);
            ShowSample();
        }
    });
    connect(m_colour, &QComboBox::activated, this, [this](int index) {
        m_choice.SetColourIndex(index);
        ShowSample();
    });
    const auto flag = [this](QCheckBox* box, void (CFontChoice::*set)(bool)) {
        connect(box, &QCheckBox::clicked, this, [this, box, set] {
            // Once clicked a flag is set or clear, never mixed again.
            box->setTristate(false);
            (m_choice.*set)(box->checkState() == Qt::Checked);
            ShowSample();
        });
    };
    flag(m_bold, &CFontChoice::SetBold);
    flag(m_italic, &CFontChoice::SetItalic);
    flag(m_underline, &CFontChoice::SetUnderline);
    ShowSample();
}

void CFontDlg::ShowSample() {
    const QList<QListWidgetItem*> selected = m_faces->selectedItems();
    QFont font(selected.isEmpty() ? m_shownFace : selected.front()->text());
    font.setPointSizeF(std::max(1.0, m_choice.SamplePointSize(m_zoom)));
    font.setBold(m_choice.font.bold != 0);
    font.setItalic(m_choice.font.italic != 0);
    font.setUnderline(m_choice.font.underline != 0);
    m_sample->setFont(font);
    const quint32 colour = m_choice.font.colour;
    m_sample->setStyleSheet(QStringLiteral("color: rgb(%1, %2, %3)")
                                .arg(colour & 0xFF)
                                .arg((colour >> 8) & 0xFF)
                                .arg((colour >> 16) & 0xFF));
}

void CFontDlg::accept() {
    const QString sizeText = m_size->currentText();
    if (!sizeText.trimmed().isEmpty() || (m_choice.mask & FontAttributeSize)) {
        const std::optional<quint16> size = CFontChoice::ParseSize(sizeText);
        if (!size) {
            platform::ShowMessageBox(LoadString(StringId::FontDialogSizeOutOfRange), platform::MessageButtons::Ok,
                                     platform::MessageIcon::Warning);
            m_size->setFocus();
            return;
        }
        m_choice.SetPointSize(*size);
    }
    m_choice.name = m_allOccurrences && m_allOccurrences->isChecked() ? m_nameAtCaret : QString();
    m_result = m_choice;
    QDialog::accept();
}

bool CFontDlg::Edit(const CMessageContext& context, CFontChoice& choice, double zoom, const QString& nameAtCaret,
                    QWidget* parent) {
    const CFontChoice opened = choice;
    if (CFontDlg(context, ModelShell().InstalledFonts(), choice, zoom, nameAtCaret, parent).exec() != QDialog::Accepted)
        return false;
    return choice.ChangesFrom(opened);
}
