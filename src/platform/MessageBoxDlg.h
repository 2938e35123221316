#pragma once

#include <QDialog>

class QDialogButtonBox;
class QTextEdit;

// The program's message box: the text above an OK button, or Yes and No
// (No the default) for a question. It is sized for its text but never
// beyond the area it is fitted into, where a text too long to show whole
// scrolls, so that the buttons stay on the screen and within the stylus's
// reach. Y and N answer a question as the desktop's boxes let them.
class CMessageBoxDlg : public QDialog
{
    Q_OBJECT

public:
    CMessageBoxDlg(const QString &text, const QString &title, bool bQuestion, QWidget *parent = nullptr);

    // Sizes the box and centres it inside the area (screen coordinates).
    void FitInto(const QRect &area);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void CreateControls(const QString &text);

    QTextEdit *m_pText = nullptr;
    QDialogButtonBox *m_pButtons = nullptr;
    bool m_bQuestion = false;
};
