#pragma once

#include "prefs/PrefsPage.h"

class QButtonGroup;

// The preference page of the start and exit actions and of the hand the
// board is turned for. Beside the direction buttons a picture of the device
// held sideways shows where the pad goes.
class CActionPage : public CPrefsPage
{
public:
    static constexpr int kOpenOnStartId = 1006;
    static constexpr int kOnStartGroupId = 1007;
    static constexpr int kCopyOnExitId = 1008;
    static constexpr int kClearId = 1009;
    static constexpr int kLoadLastId = 1012;
    static constexpr int kPasteId = 1013;
    static constexpr int kDirectionGroupId = 1033;
    static constexpr int kRightHandedId = 1035;
    static constexpr int kLeftHandedId = 1036;

    CActionPage();

    // 0 clears the edit area, 1 loads the last text, 2 pastes the clipboard;
    // -1 when no button is checked.
    int m_nOnStartAction = -1;
    bool m_bCopyOnExit = false;
    bool m_bOpenKBOnStart = false;
    // 0 Left Handed, 1 Right Handed; -1 when no button is checked.
    int m_nDirection = 0;

protected:
    void CreateControls(ControlBuilder &builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(bool save) override;
    void PaintPage(QPainter &painter) override;

private:
    void OnDirectionClicked();

    QButtonGroup *m_pOnStartGroup = nullptr;
    QButtonGroup *m_pDirectionGroup = nullptr;
};
