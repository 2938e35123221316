#pragma once

#include <QPlainTextEdit>

#include <string>

class CQuorlexView;

// The notepad's edit: the whole text in a plain edit that wraps long lines.
// The view makes it when the notepad is first shown or first needed, and
// gets every key first (the pad's arrows, the program's clipboard).
class CNotepadEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit CNotepadEdit(CQuorlexView *view);

    // The edit keeps a paragraph separator where the flat text has CR LF, and
    // Shift+Enter puts a line separator: both leave the notepad as CR LF, or
    // the file, the clipboard and the pad would get a break nothing else reads.
    static std::u16string FlatText(const QString &raw);
    std::u16string SelectedFlatText() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // The edit's own menu, drag and the mouse selection copy through here.
    QMimeData *createMimeDataFromSelection() const override;

private:
    CQuorlexView *m_pView;
};
