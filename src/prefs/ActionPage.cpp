#include "prefs/ActionPage.h"

#include "dialogs/ControlBuilder.h"
#include "dialogs/DataExchange.h"
#include "dialogs/DialogItems.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QPainter>
#include <QRadioButton>

CActionPage::CActionPage() : CPrefsPage(QStringLiteral("Action"), QStringLiteral("Action"), QSize(136, 152)) {}

void CActionPage::CreateControls(ControlBuilder &builder)
{
    CPrefsPage::CreateControls(builder);
    builder.CheckBox(kOpenOnStartId, QStringLiteral("Open Keyboard on application start"), QRect(6, 16, 128, 18));
    builder.GroupBox(kOnStartGroupId, QStringLiteral("On Start"), QRect(4, 37, 130, 48));
    m_pOnStartGroup = builder.RadioGroup();
    builder.Radio(m_pOnStartGroup, kClearId, QStringLiteral("Clear the edit area"), QRect(8, 48, 124, 10));
    builder.Radio(m_pOnStartGroup, kLoadLastId, QStringLiteral("Load the text from last use"), QRect(8, 60, 124, 10));
    builder.Radio(m_pOnStartGroup, kPasteId, QStringLiteral("Paste text from clipboard"), QRect(8, 72, 124, 10));
    builder.CheckBox(kCopyOnExitId, QStringLiteral("Copy text into clipboard on exit"), QRect(6, 88, 128, 18));
    builder.GroupBox(kDirectionGroupId, QStringLiteral("Direction"), QRect(4, 110, 80, 38));
    m_pDirectionGroup = builder.RadioGroup();
    QRadioButton *left = builder.Radio(m_pDirectionGroup, kLeftHandedId, QStringLiteral("Left Handed"),
                                       QRect(10, 121, 70, 10));
    QRadioButton *right = builder.Radio(m_pDirectionGroup, kRightHandedId, QStringLiteral("Right Handed"),
                                        QRect(10, 133, 70, 10));
    for (QRadioButton *button : {left, right})
        connect(button, &QRadioButton::clicked, this, [this] { OnDirectionClicked(); });
}

bool CActionPage::OnInitDialog()
{
    CPrefsPage::OnInitDialog();
    ColourBlue({IDCANCEL, kOnStartGroupId, kDirectionGroupId});
    return true;
}

void CActionPage::DoDataExchange(bool save)
{
    DdxRadio(save, m_pOnStartGroup, m_nOnStartAction);
    DdxCheck(save, GetDlgItemAs<QCheckBox>(this, kCopyOnExitId), m_bCopyOnExit);
    DdxCheck(save, GetDlgItemAs<QCheckBox>(this, kOpenOnStartId), m_bOpenKBOnStart);
    DdxRadio(save, m_pDirectionGroup, m_nDirection);
}

void CActionPage::OnDirectionClicked()
{
    repaint();
}

void CActionPage::PaintPage(QPainter &painter)
{
    const QRect group = GetDlgItem(this, kDirectionGroupId)->geometry();
    const int top = group.y();
    const int right = group.x() + group.width();
    const int bottom = top + group.height();
    painter.fillRect(QRect(QPoint(right + 25, top + 5), QPoint(right + 64, bottom - 1)), Qt::black);
    const bool rightHanded = GetDlgItemAs<QRadioButton>(this, kRightHandedId)->isChecked();
    const int stripeLeft = rightHanded ? right + 27 : right + 57;
    painter.fillRect(QRect(QPoint(stripeLeft, top + 13), QPoint(stripeLeft + 5, bottom - 9)), Qt::white);
}
