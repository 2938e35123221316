#pragma once

#include "platform/PointFont.h"

#include <QString>

class QLabel;
class QPainter;
class QWidget;

// The look the program's dialogs and preference pages share: a blue title in
// a bold header font at the top left, Cancel in blue at the top right and a
// rule under both. A dialog or page holds one of these and calls it from its
// initialisation and its painting.
class HeaderFrame
{
public:
    static constexpr int kStaticId = 1111;
    static constexpr int kRuleY = 23;

    // The title as the string table has it ("Look && Feel" reads "Look & Feel").
    void SetTitle(const QString &title) { m_strHeader = title; }
    const QString &Title() const { return m_strHeader; }

    // Tahoma 8.5 points, bold; built once.
    void BuildFont();
    const PointFont &Font() const { return m_fontHeader; }

    // Creates the title static and moves the dialog's Cancel (id 2), if it has
    // one, to the top right; both draw in blue. Uses the dialog's width now.
    void Create(QWidget *dialog);
    QLabel *Static() const { return m_pStatic; }

    // The rule under the header across the whole width, in the default pen.
    static void PaintRule(QPainter &painter, int width);

    // White, as the handheld's dialogs are; the controls keep their own looks.
    static void SetDialogBackground(QWidget *dialog);

private:
    PointFont m_fontHeader;
    QString m_strHeader;
    QLabel *m_pStatic = nullptr;
};
