#pragma once

#include <QHash>
#include <QList>
#include <QStringList>
#include <QWidget>

class QAction;
class QMenu;
class QMenuBar;
class QToolButton;

// The handheld's command bar along the bottom of the screen: the menus File,
// Edit and Tools, then the toolbar (cut, copy, paste, Type Away, help).
class CCommandBar : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kHeight = 26;

    // The tooltip table holds one entry per button of the bar, the three menu
    // buttons first; the desktop's menu bar shows none, the toolbar the rest.
    CCommandBar(QWidget *parent, const QHash<int, QAction *> &commands, const QStringList &tooltips);

    QMenuBar *MenuBar() const { return m_pMenuBar; }
    const QList<QToolButton *> &ToolButtons() const { return m_toolButtons; }
    QMenu *Menu(int index) const;

private:
    void CreateMenus(const QHash<int, QAction *> &commands);
    void CreateToolButtons(const QHash<int, QAction *> &commands, const QStringList &tooltips);
    void LayOutBar();

    QMenuBar *m_pMenuBar;
    QList<QToolButton *> m_toolButtons;
};
