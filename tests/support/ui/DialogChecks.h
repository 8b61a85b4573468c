#pragma once

// Checks every dialog's widget test makes alike: the Tab key walks every control in reading order before the buttons
// that act on them, no column of a list cuts its title, and what a window reads.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace dialog_checks {

// Gives `widget` the focus as the Tab key does, without a display: a list then makes its first row current.
inline void TabInto(QWidget& widget) {
    QFocusEvent focus(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&widget, &focus);
}

inline QString Describe(const QWidget* widget) {
    if (!widget)
        return QStringLiteral("(nothing)");
    QString text = QString::fromLatin1(widget->metaObject()->className());
    if (!widget->objectName().isEmpty())
        text += QStringLiteral(" \"%1\"").arg(widget->objectName());
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        text += QStringLiteral(" [%1]").arg(button->text());
    return text;
}

// The widgets a user types into: line edits (not those inside a spin or combo box), text edits, spin and combo boxes.
inline bool IsField(const QWidget* widget) {
    if (qobject_cast<const QLineEdit*>(widget))
        return !qobject_cast<const QAbstractSpinBox*>(widget->parentWidget()) &&
               !qobject_cast<const QComboBox*>(widget->parentWidget());
    return qobject_cast<const QTextEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget) || qobject_cast<const QComboBox*>(widget);
}

inline bool Reachable(const QWidget* widget) {
    return widget->isVisible() && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus);
}

// Every widget that takes the focus of its own: fields, buttons, boxes, lists and tables; not the parts of a
// control (the line edit of a spin or combo box, the editor of a list's cell, a scroll bar), nor a widget that
// hands its focus to another.
inline bool IsControl(const QWidget* widget) {
    if (!(widget->focusPolicy() & Qt::TabFocus) || widget->focusProxy() || qobject_cast<const QScrollBar*>(widget))
        return false;
    if (qobject_cast<const QLineEdit*>(widget) && !IsField(widget))
        return false;
    for (const QWidget* ancestor = widget->parentWidget(); ancestor && !ancestor->isWindow();
         ancestor = ancestor->parentWidget()) {
        if (qobject_cast<const QAbstractItemView*>(ancestor) || qobject_cast<const QAbstractSpinBox*>(ancestor) ||
            qobject_cast<const QComboBox*>(ancestor))
            return false;
    }
    return true;
}

// Reading order: a widget wholly above another reads first; of two side by side, the left one. Widgets in different
// boxes read in the order of the boxes: a box beside another is read through before it.
inline bool ReadsBefore(const QWidget& window, const QWidget* a, const QWidget* b) {
    const QWidget* blockA = a;
    for (const QWidget* ancestor = a->parentWidget(); ancestor && ancestor != &window;
         ancestor = ancestor->parentWidget()) {
        if (ancestor->isAncestorOf(b))
            break;
        blockA = ancestor;
    }
    const QWidget* blockB = b;
    for (const QWidget* ancestor = b->parentWidget(); ancestor && ancestor != &window;
         ancestor = ancestor->parentWidget()) {
        if (ancestor->isAncestorOf(a))
            break;
        blockB = ancestor;
    }
    const QRect ra(blockA->mapTo(&window, QPoint(0, 0)), blockA->size());
    const QRect rb(blockB->mapTo(&window, QPoint(0, 0)), blockB->size());
    if (ra.bottom() < rb.top())
        return true;
    if (rb.bottom() < ra.top())
        return false;
    return ra.left() < rb.left();
}

inline void ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
}

// The Tab chain from the control that reads first, once round, leaving out the buttons that act on the others.
inline QList<QWidget*> TabChain(QWidget& window, const QList<QPushButton*>& acting = {}) {
    ShowActive(window);
    QList<QWidget*> controls;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (IsControl(widget) && Reachable(widget) && !acting.contains(widget))
            controls << widget;
    }
    if (controls.isEmpty())
        return {};
    std::stable_sort(controls.begin(), controls.end(),
                     [&window](const QWidget* a, const QWidget* b) { return ReadsBefore(window, a, b); });
    controls.first()->setFocus(Qt::TabFocusReason);
    QList<QWidget*> chain{QApplication::focusWidget()};
    for (int step = 0; step < 200; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* now = QApplication::focusWidget();
        if (!now || now == chain.first() || chain.contains(now))
            break;
        chain << now;
    }
    return chain;
}

// Walks the Tab chain of the window: every control is reached, the controls come in reading order, and the buttons
// that act on them (the default button and those of the button box) come after the last of them. Of a group of
// radio buttons one is reached, the checked one; the arrow keys move within the group.
inline void ExpectReadingOrder(QWidget& window) {
    // A button greyed until the fields are filled has its place in the chain all the same.
    QList<QPushButton*> greyed;
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (!button->isEnabled()) {
            greyed << button;
            button->setEnabled(true);
        }
    }
    // The buttons that act on the controls: the one made the default, those of the button box. Taken before the
    // window is shown, as showing and focus make other buttons the default for a while.
    QList<QPushButton*> acting;
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
        if (button->isDefault() || qobject_cast<QDialogButtonBox*>(button->parentWidget()))
            acting << button;
    }
    // Taken before the walk: a check box of a button group that takes the focus takes Tab from the others.
    ShowActive(window);
    QList<QWidget*> expected;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (IsControl(widget) && Reachable(widget))
            expected << widget;
    }
    const QList<QWidget*> chain = TabChain(window, acting);
    QStringList walked;
    for (const QWidget* widget : chain)
        walked << Describe(widget);
    const QString route = walked.join(QStringLiteral(" -> "));
    const auto reached = [&chain](QWidget* widget) {
        if (chain.contains(widget))
            return true;
        const auto* radio = qobject_cast<QRadioButton*>(widget);
        if (!radio || !radio->autoExclusive())
            return false;
        for (QWidget* other : chain) {
            if (qobject_cast<QRadioButton*>(other) && other->parentWidget() == radio->parentWidget())
                return true;
        }
        return false;
    };
    QList<QWidget*> controls;
    for (QWidget* widget : chain) {
        if (!acting.contains(widget))
            controls << widget;
    }
    for (QWidget* widget : expected) {
        EXPECT_TRUE(reached(widget)) << "Tab never reaches " << Describe(widget).toStdString() << "\n"
                                     << route.toStdString();
    }
    for (qsizetype later = 1; later < controls.size(); ++later) {
        for (qsizetype earlier = 0; earlier < later; ++earlier) {
            EXPECT_FALSE(ReadsBefore(window, controls[later], controls[earlier]))
                << Describe(controls[later]).toStdString() << " reads before "
                << Describe(controls[earlier]).toStdString() << "\n"
                << route.toStdString();
        }
    }
    const qsizetype lastControl = controls.isEmpty() ? -1 : chain.indexOf(controls.last());
    for (QPushButton* button : acting) {
        if (!Reachable(button))
            continue;
        const qsizetype at = chain.indexOf(button);
        EXPECT_TRUE(at < 0 || at > lastControl) << Describe(button).toStdString() << " comes before a control\n"
                                                << route.toStdString();
    }
    for (QPushButton* button : greyed)
        button->setEnabled(false);
}

// The window, shown, stands within the screen's free area, title bar and buttons within reach.
inline void ExpectWithinScreen(QWidget& window) {
    window.show();
    const QRect screen = window.screen()->availableGeometry();
    EXPECT_LE(window.frameGeometry().width(), screen.width()) << Describe(&window).toStdString();
    EXPECT_LE(window.frameGeometry().height(), screen.height()) << Describe(&window).toStdString();
    EXPECT_LE(window.minimumSizeHint().width(), screen.width()) << Describe(&window).toStdString();
}

// Titles of the columns narrower than their title, in every list of the window.
inline QStringList CutColumnTitles(const QWidget& window) {
    QStringList cut;
    for (const QHeaderView* header : window.findChildren<QHeaderView*>()) {
        if (header->orientation() != Qt::Horizontal || header->isHidden())
            continue;
        for (int section = 0; section < header->count(); ++section) {
            if (!header->isSectionHidden(section) && header->sectionSize(section) < header->sectionSizeHint(section))
                cut << header->model()->headerData(section, Qt::Horizontal).toString();
        }
    }
    return cut;
}

// What the window reads: its title, then the texts of its buttons, labels, groups and column titles.
inline QStringList ShownTexts(const QWidget& window) {
    QStringList texts{window.windowTitle()};
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        texts << button->text();
    for (const QLabel* label : window.findChildren<QLabel*>())
        texts << label->text();
    for (const QGroupBox* group : window.findChildren<QGroupBox*>())
        texts << group->title();
    for (const QHeaderView* header : window.findChildren<QHeaderView*>()) {
        for (int section = 0; header->orientation() == Qt::Horizontal && section < header->count(); ++section)
            texts << header->model()->headerData(section, Qt::Horizontal).toString();
    }
    return texts;
}

// Those of `texts` that hold a Japanese character.
inline QStringList JapaneseTexts(const QStringList& texts) {
    return texts.filter(QRegularExpression(QStringLiteral("[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}]")));
}

} // namespace dialog_checks
