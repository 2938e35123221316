#pragma once

#include <QBasicTimer>
#include <QString>
#include <QWidget>

// The handheld's taskbar along the top of the screen: the program's title on
// the left and the clock on the right.
class CTaskbarStrip : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kHeight = 26;

    explicit CTaskbarStrip(QWidget *parent = nullptr);

    QString ClockText() const { return m_strClock; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void UpdateClock();

    QBasicTimer m_clockTimer;
    QString m_strClock;
};
