#include "prefs/KeyPrefsPage.h"

#include "platform/IniProfile.h"
#include "dialogs/ControlBuilder.h"
#include "dialogs/DataExchange.h"
#include "dialogs/DialogItems.h"
#include "prefs/ShellButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QSlider>

#include <algorithm>

namespace {
const QColor kCurrentAppRed(255, 0, 0);
constexpr int kHotkeyCount = 4;
}

CKeyPrefsPage::CKeyPrefsPage() : CPrefsPage(QStringLiteral("Keys"), QStringLiteral("Keys"), QSize(137, 152)) {}

void CKeyPrefsPage::CreateControls(ControlBuilder &builder)
{
    CPrefsPage::CreateControls(builder);
    CreateRepeatControls(builder);
    CreateHotkeyControls(builder);
}

void CKeyPrefsPage::CreateRepeatControls(ControlBuilder &builder)
{
    QCheckBox *repeat = builder.CheckBox(
        kRepeatCheckId, QStringLiteral("Enable key-repeat on backspace, delete, left and right arrow buttons"),
        QRect(6, 16, 128, 24));
    connect(repeat, &QCheckBox::clicked, this, [this] { UpdateRepeatControls(); });
    builder.Slider(kSliderId, QRect(6, 42, 128, 14));
    builder.Static(kSlowerId, QStringLiteral("Slower"), QRect(6, 57, 30, 9));
    builder.Static(kFrequencyId, QStringLiteral("Repeat Frequency"), QRect(36, 57, 68, 9), Qt::AlignHCenter);
    builder.Static(kFasterId, QStringLiteral("Faster"), QRect(104, 57, 30, 9), Qt::AlignRight);
}

void CKeyPrefsPage::CreateHotkeyControls(ControlBuilder &builder)
{
    builder.GroupBox(kHotKeyGroupId, QStringLiteral("Hot Key"), QRect(4, 72, 130, 76));
    QCheckBox *assign = builder.CheckBox(kAssignCheckId, QStringLiteral("Assign Hardware Key to pull up/down Quorlex"),
                                         QRect(8, 83, 124, 18));
    connect(assign, &QCheckBox::clicked, this, [this] { UpdateHotkeyControls(); });
    builder.Static(kButtonLabelId, QStringLiteral("Hardware Button:"), QRect(8, 106, 66, 9));
    QComboBox *list = builder.ComboBox(kHotkeyListId, QRect(74, 104, 56, 14), false);
    for (int number = 1; number <= kHotkeyCount; ++number)
        list->addItem(QStringLiteral("Hot key %1").arg(number));
    connect(list, &QComboBox::activated, this, [this] { ShowCurrentAssignment(); });
    builder.Static(kCurrentLabelId, QStringLiteral("Current Assignment:"), QRect(8, 122, 124, 9));
    builder.Static(kCurrentAppId, QStringLiteral("Current App"), QRect(8, 133, 124, 10));
}

bool CKeyPrefsPage::OnInitDialog()
{
    CPrefsPage::OnInitDialog();
    QSlider *slider = Slider();
    slider->setRange(0, kSliderMaximum);
    // The control clamps: an interval beyond either end sits at that end.
    const long long position = static_cast<long long>(kSlowestInterval) - m_nRepeatInterval;
    slider->setValue(static_cast<int>(std::clamp<long long>(position, 0, kSliderMaximum)));
    SelectHotkey();
    ShowCurrentAssignment();
    UpdateRepeatControls();
    UpdateHotkeyControls();
    ColourBlue({IDCANCEL, kFasterId, kSlowerId, kButtonLabelId, kHotKeyGroupId, kCurrentLabelId});
    SetTextColour(GetDlgItem(this, kCurrentAppId), kCurrentAppRed);
    return true;
}

void CKeyPrefsPage::SelectHotkey()
{
    // Button n is entry n - 1, "none" shows the first entry, and a number
    // that is no entry (the -1 of a fresh setting) selects nothing.
    const long long entry = m_nHotkeyNum != 0 ? static_cast<long long>(m_nHotkeyNum) - 1 : 0;
    const bool valid = entry >= 0 && entry < HotkeyList()->count();
    HotkeyList()->setCurrentIndex(valid ? static_cast<int>(entry) : -1);
}

void CKeyPrefsPage::ShowCurrentAssignment()
{
    const int entry = HotkeyList()->currentIndex();
    if (entry < 0)
        return;
    IniProfile store(IniProfile::ShellKeysPath());
    const ShellButtons buttons(store);
    GetDlgItemAs<QLabel>(this, kCurrentAppId)
        ->setText(QString::fromStdU16String(buttons.CurrentAssignmentName(entry + 1)));
}

void CKeyPrefsPage::UpdateRepeatControls()
{
    const bool enable = GetDlgItemAs<QCheckBox>(this, kRepeatCheckId)->isChecked();
    EnableControls({kFasterId, kSlowerId, kFrequencyId, kSliderId}, enable);
}

void CKeyPrefsPage::UpdateHotkeyControls()
{
    const bool enable = GetDlgItemAs<QCheckBox>(this, kAssignCheckId)->isChecked();
    EnableControls({kButtonLabelId, kCurrentLabelId, kHotkeyListId, kCurrentAppId}, enable);
}

void CKeyPrefsPage::EnableControls(std::initializer_list<int> ids, bool enable)
{
    for (const int id : ids)
        GetDlgItem(this, id)->setEnabled(enable);
}

void CKeyPrefsPage::DoDataExchange(bool save)
{
    DdxCheck(save, GetDlgItemAs<QCheckBox>(this, kRepeatCheckId), m_bRepeatKey);
    DdxCheck(save, GetDlgItemAs<QCheckBox>(this, kAssignCheckId), m_bAssignHotkey);
}

void CKeyPrefsPage::OnOK()
{
    m_nRepeatInterval = kSlowestInterval - Slider()->value();
    m_nHotkeyNum = GetDlgItemAs<QCheckBox>(this, kAssignCheckId)->isChecked() ? HotkeyList()->currentIndex() + 1 : 0;
    CPrefsPage::OnOK();
}

void CKeyPrefsPage::PaintPage(QPainter &painter)
{
    const int top = GetDlgItem(this, kRepeatCheckId)->geometry().top();
    const QRect faster = GetDlgItem(this, kFasterId)->geometry();
    const int bottom = faster.y() + faster.height();
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(3, top - 1, width() - 6, bottom + 4 - top));
}

QSlider *CKeyPrefsPage::Slider() const
{
    return GetDlgItemAs<QSlider>(this, kSliderId);
}

QComboBox *CKeyPrefsPage::HotkeyList() const
{
    return GetDlgItemAs<QComboBox>(this, kHotkeyListId);
}
