#include "dialogs/HeaderFrame.h"

#include "dialogs/DialogItems.h"

#include <QLabel>
#include <QPainter>
#include <QWidget>

namespace {
constexpr int kStaticLeft = 4;
constexpr int kStaticTop = 5;
constexpr int kStaticRightMargin = 70;
constexpr int kStaticBottom = 22;
constexpr int kCancelRightMargin = 50;
constexpr int kCancelTop = 2;
constexpr int kCancelWidth = 48;
constexpr int kCancelHeight = 20;
}

void HeaderFrame::BuildFont()
{
    if (m_fontHeader.IsNull())
        MakePointFont(m_fontHeader, QStringLiteral("Tahoma"), 8.5, true, false, false, false, 0, 0);
}

void HeaderFrame::Create(QWidget *dialog)
{
    BuildFont();
    const int width = dialog->width();
    m_pStatic = new QLabel(StaticText(m_strHeader), dialog);
    SetDlgCtrlID(m_pStatic, kStaticId);
    m_pStatic->setTextFormat(Qt::PlainText);
    m_pStatic->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pStatic->setFont(m_fontHeader.Font());
    m_pStatic->setGeometry(QRect(QPoint(kStaticLeft, kStaticTop),
                                 QPoint(width - kStaticRightMargin - 1, kStaticBottom - 1)));
    SetTextColour(m_pStatic, kHeaderBlue);
    m_pStatic->show();
    if (QWidget *cancel = GetDlgItem(dialog, IDCANCEL)) {
        cancel->setGeometry(width - kCancelRightMargin, kCancelTop, kCancelWidth, kCancelHeight);
        SetTextColour(cancel, kHeaderBlue);
        cancel->update();
    }
}

void HeaderFrame::PaintRule(QPainter &painter, int width)
{
    painter.save();
    painter.setPen(QPen(Qt::black, 0));
    painter.drawLine(0, kRuleY, width - 1, kRuleY);
    painter.restore();
}

void HeaderFrame::SetDialogBackground(QWidget *dialog)
{
    QPalette palette = dialog->palette();
    palette.setColor(QPalette::Window, Qt::white);
    dialog->setPalette(palette);
    dialog->setAutoFillBackground(true);
}
