#pragma once

#include "prefs/PrefsPage.h"

class QComboBox;
class QSlider;

// The preference page of key repeat and of the hardware button that pulls the
// board up and down. It only edits its fields; the button is given to the
// program by ApplyHotkeyChoice after the sheet's OK. It shows which program
// the chosen button starts now, read from the shell's store.
class CKeyPrefsPage : public CPrefsPage
{
public:
    static constexpr int kRepeatCheckId = 1010;
    static constexpr int kSliderId = 1020;
    static constexpr int kFasterId = 1021;
    static constexpr int kSlowerId = 1022;
    static constexpr int kFrequencyId = 1023;
    static constexpr int kAssignCheckId = 1027;
    static constexpr int kButtonLabelId = 1028;
    static constexpr int kHotkeyListId = 1029;
    static constexpr int kHotKeyGroupId = 1030;
    static constexpr int kCurrentAppId = 1031;
    static constexpr int kCurrentLabelId = 1032;
    static constexpr int kSliderMaximum = 990;
    static constexpr int kSlowestInterval = 1000;

    CKeyPrefsPage();

    bool m_bRepeatKey = false;
    // Milliseconds between repeats: 1000 minus the slider's position.
    int m_nRepeatInterval = 200;
    bool m_bAssignHotkey = false;
    // The hardware button, 1 to 4; 0 none; -1 none chosen yet.
    int m_nHotkeyNum = 0;

    void OnOK() override;

protected:
    void CreateControls(ControlBuilder &builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(bool save) override;
    void PaintPage(QPainter &painter) override;

private:
    void CreateRepeatControls(ControlBuilder &builder);
    void CreateHotkeyControls(ControlBuilder &builder);
    void SelectHotkey();
    void ShowCurrentAssignment();
    void UpdateRepeatControls();
    void UpdateHotkeyControls();
    void EnableControls(std::initializer_list<int> ids, bool enable);
    QSlider *Slider() const;
    QComboBox *HotkeyList() const;
};
