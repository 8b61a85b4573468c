#pragma once

#include <QDialog>

#include <functional>

#include <array>

class QLineEdit;
class QPlainTextEdit;

// The memo and the three file names or addresses of a logic line's marks. Result: Accepted (texts
// changed), Rejected, or DeleteMarks.
class CLineMarkDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int DeleteMarks = 3;

    // `openLink` opens a file text as the shell's link rules allow.
    CLineMarkDialog(const QString& memo, const std::array<QString, 3>& files,
                    std::function<void(const QString&)> openLink, QWidget* parent = nullptr);

    QString Memo() const;
    std::array<QString, 3> Files() const;
    QLineEdit& FileBox(int index) const { return *m_files.at(static_cast<size_t>(index)); }
    QPlainTextEdit& MemoBox() const { return *m_memo; }

private:
    QPlainTextEdit* m_memo = nullptr;
    std::array<QLineEdit*, 3> m_files{};
};
