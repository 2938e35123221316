#include "app/CommandBar.h"

#include "app/CommandIds.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

#include <array>

namespace {
constexpr int kIconSize = 16;
constexpr QSize kButtonSize(22, 22);
constexpr std::array<int, 5> kToolBarCommands = {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_TOOLS_TYPE_AWAY,
                                                 ID_TOOLS_HELP};
constexpr int kFirstToolTipOfToolBar = 3;

void DrawPage(QPainter &painter, const QRect &page)
{
    painter.setPen(Qt::black);
    painter.setBrush(Qt::white);
    painter.drawRect(page);
    for (int y = page.top() + 2; y < page.bottom() - 1; y += 2)
        painter.drawLine(page.left() + 2, y, page.right() - 2, y);
}

void DrawCut(QPainter &painter)
{
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(5, 1, 9, 10);
    painter.drawLine(10, 1, 6, 10);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x00, 0x00, 0x80), 1));
    painter.drawEllipse(2, 10, 4, 4);
    painter.drawEllipse(9, 10, 4, 4);
}

void DrawCopy(QPainter &painter)
{
    DrawPage(painter, QRect(1, 1, 8, 10));
    DrawPage(painter, QRect(6, 5, 8, 10));
}

void DrawPaste(QPainter &painter)
{
    painter.setPen(Qt::black);
    painter.setBrush(QColor(0x99, 0x66, 0x33));
    painter.drawRect(1, 2, 10, 12);
    painter.setBrush(QColor(0xC0, 0xC0, 0xC0));
    painter.drawRect(4, 1, 4, 2);
    DrawPage(painter, QRect(6, 6, 8, 9));
}

void DrawTypeAway(QPainter &painter)
{
    painter.setPen(Qt::black);
    painter.setBrush(QColor(0xC0, 0xC0, 0xC0));
    painter.drawRect(0, 4, 15, 9);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    for (int row = 0; row < 2; ++row) {
        for (int key = 0; key < 6; ++key)
            painter.drawRect(2 + key * 2 + row, 6 + row * 2, 1, 1);
    }
    painter.drawRect(4, 10, 7, 1);
}

void DrawHelp(QPainter &painter)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x00, 0x00, 0xC0));
    painter.drawEllipse(0, 0, 15, 15);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(12);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
}

// Small pixel pictures in the handheld's manner, drawn without smoothing so
// they stay sharp at any whole scale.
QIcon ToolIcon(int command)
{
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    switch (command) {
    case ID_EDIT_CUT: DrawCut(painter); break;
    case ID_EDIT_COPY: DrawCopy(painter); break;
    case ID_EDIT_PASTE: DrawPaste(painter); break;
    case ID_TOOLS_TYPE_AWAY: DrawTypeAway(painter); break;
    default: DrawHelp(painter); break;
    }
    return QIcon(pixmap);
}
}

CCommandBar::CCommandBar(QWidget *parent, const QHash<int, QAction *> &commands, const QStringList &tooltips)
    : QWidget(parent), m_pMenuBar(new QMenuBar(this))
{
    CreateMenus(commands);
    CreateToolButtons(commands, tooltips);
    LayOutBar();
}

void CCommandBar::CreateMenus(const QHash<int, QAction *> &commands)
{
    m_pMenuBar->setNativeMenuBar(false);
    QMenu *file = m_pMenuBar->addMenu(QStringLiteral("&File"));
    file->addAction(commands.value(ID_FILE_SAVE_AS));
    file->addSeparator();
    file->addAction(commands.value(ID_FILE_EXIT));
    QMenu *edit = m_pMenuBar->addMenu(QStringLiteral("Edit"));
    for (const int id : {ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE})
        edit->addAction(commands.value(id));
    edit->addSeparator();
    edit->addAction(commands.value(ID_EDIT_SELECT_ALL));
    edit->addAction(commands.value(ID_EDIT_CLEAR_ALL));
    QMenu *tools = m_pMenuBar->addMenu(QStringLiteral("Tools"));
    tools->addAction(commands.value(ID_APP_ABOUT));
    tools->addAction(commands.value(ID_TOOLS_HELP));
    tools->addSeparator();
    tools->addAction(commands.value(ID_TOOLS_TYPE_AWAY));
    tools->addAction(commands.value(ID_TOOLS_PREFERENCES));
}

void CCommandBar::CreateToolButtons(const QHash<int, QAction *> &commands, const QStringList &tooltips)
{
    for (std::size_t i = 0; i < kToolBarCommands.size(); ++i) {
        auto *button = new QToolButton(this);
        button->setIcon(ToolIcon(kToolBarCommands[i]));
        button->setIconSize(QSize(kIconSize, kIconSize));
        button->setFixedSize(kButtonSize);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolTip(tooltips.value(kFirstToolTipOfToolBar + static_cast<int>(i)));
        connect(button, &QToolButton::clicked, commands.value(kToolBarCommands[i]), &QAction::trigger);
        m_toolButtons << button;
    }
}

void CCommandBar::LayOutBar()
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 1, 0);
    layout->setSpacing(0);
    layout->addWidget(m_pMenuBar);
    layout->addStretch(1);
    for (QToolButton *button : m_toolButtons)
        layout->addWidget(button);
    setFixedHeight(kHeight);
}

QMenu *CCommandBar::Menu(int index) const
{
    const QList<QAction *> menus = m_pMenuBar->actions();
    if (index < 0 || index >= menus.size())
        return nullptr;
    return menus.at(index)->menu();
}
