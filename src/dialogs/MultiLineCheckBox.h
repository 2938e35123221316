#pragma once

#include <QCheckBox>

// A check box whose text wraps onto further lines within the box, centred
// beside the box vertically as the handheld draws its long option texts. The
// whole control, text included, answers a tap.
class MultiLineCheckBox : public QCheckBox
{
public:
    using QCheckBox::QCheckBox;

    // Where the text wraps, beside the box.
    QRect TextRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &position) const override;

private:
    QRect IndicatorRect() const;
};
