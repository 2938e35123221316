#pragma once

#include <QWidget>

class QPushButton;
class QTextBrowser;
class QUrl;

// The program's own help window: the help page in a browser of its own, the
// size of the device screen, with buttons for the stylus. It needs neither a
// web browser nor a desktop, so help looks the same on a bare panel as on a
// desktop. Closing it deletes it.
class CHelpWnd : public QWidget
{
public:
    static constexpr int kWidth = 240;
    static constexpr int kHeight = 320;

    explicit CHelpWnd(QWidget *pParent = nullptr);
    void ShowPage(const QUrl &page);
    QTextBrowser *Browser() const { return m_pBrowser; }

private:
    QPushButton *AddButton(const QString &text);

    QTextBrowser *m_pBrowser = nullptr;
    QPushButton *m_pBack = nullptr;
    QPushButton *m_pContents = nullptr;
    QPushButton *m_pClose = nullptr;
};
