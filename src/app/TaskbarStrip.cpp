#include "app/TaskbarStrip.h"

#include <QPainter>
#include <QTime>
#include <QTimerEvent>

namespace {
constexpr int kClockPeriodMs = 1000;
const QColor kBackground(0x00, 0x33, 0x99);
const QColor kText(0xFF, 0xFF, 0xFF);
}

CTaskbarStrip::CTaskbarStrip(QWidget *parent) : QWidget(parent)
{
    setFixedHeight(kHeight);
    UpdateClock();
}

void CTaskbarStrip::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    painter.setPen(kText);
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    const QRect text = rect().adjusted(6, 0, -6, 0);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, window()->windowTitle());
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(text, Qt::AlignRight | Qt::AlignVCenter, m_strClock);
}

void CTaskbarStrip::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_clockTimer.timerId())
        UpdateClock();
    else
        QWidget::timerEvent(event);
}

// The clock only runs while it can be seen: under the board it is hidden.
void CTaskbarStrip::showEvent(QShowEvent *event)
{
    UpdateClock();
    m_clockTimer.start(kClockPeriodMs, this);
    QWidget::showEvent(event);
}

void CTaskbarStrip::hideEvent(QHideEvent *event)
{
    m_clockTimer.stop();
    QWidget::hideEvent(event);
}

void CTaskbarStrip::UpdateClock()
{
    const QString clock = QTime::currentTime().toString(QStringLiteral("h:mm"));
    if (clock == m_strClock)
        return;
    m_strClock = clock;
    update();
}
