#pragma once

#include "keyboard/KeyMap.h"
#include "prefs/PrefsPage.h"

#include <QString>

#include <string>

class QButtonGroup;
class QComboBox;
struct Settings;

// The first page of the preference sheet: skin, key map, key layout and the
// pad's font. Like the other pages it edits the fields its caller fills and
// reads back after OK; key map files, however, are written here as soon as
// the key map editor is confirmed, whatever becomes of the sheet.
class CLookFeelPage : public CPrefsPage
{
public:
    static constexpr int kSkinLabelId = 1000;
    static constexpr int kSkinListId = 1001;
    static constexpr int kKeyMapLabelId = 1002;
    static constexpr int kKeyMapListId = 1003;
    static constexpr int kLayoutGroupId = 1004;
    static constexpr int kFlatId = 1005;
    static constexpr int kCrestId = 1006;
    static constexpr int kTroughId = 1007;
    static constexpr int kNewKeyMapId = 1010;
    static constexpr int kEditKeyMapId = 1011;
    static constexpr int kChangeFontId = 1025;
    // Above this the pad's text may no longer fit its window.
    static constexpr int kLargestComfortablePoints = 15;

    CLookFeelPage();

    // 0 Flat, 1 Crest, 2 Trough; -1 when no button is checked.
    int m_nKeyLayout = 0;
    // The names selected in the lists when the page was last read back.
    QString m_strKeyMap;
    QString m_strSkin;
    // The settings the keyboard runs with: the page reads the program folder
    // and the key map and skin in use from them, and nothing else.
    const Settings *m_pSettings = nullptr;
    QString m_strFontName;
    int m_nFontSize = 12;
    unsigned char m_bFontBold = 0;
    unsigned char m_bFontItalic = 0;
    unsigned char m_bFontStrike = 0;
    unsigned char m_bFontUnderline = 0;

    // The map New and Edit Key Map start the editor on.
    const KeyMap &WorkKeyMap() const { return m_keyMap; }

protected:
    void CreateControls(ControlBuilder &builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(bool save) override;
    void PaintPage(QPainter &painter) override;

private:
    void CreateKeyMapControls(ControlBuilder &builder);
    void CreateLayoutControls(ControlBuilder &builder);
    void FillSkinList();
    void FillKeyMapList();
    void UpdateEditButton();
    void OnNewKeyMap();
    void OnEditKeyMap();
    void OnChangeFont();
    void ReadWorkKeyMap(const std::u16string &folder, const QString &name);
    bool WriteWorkKeyMap(const std::u16string &folder, const QString &name);
    void SelectNewKeyMap(const QString &name);
    std::u16string KeyMapsFolderPath() const;
    QComboBox *SkinList() const;
    QComboBox *KeyMapList() const;

    KeyMap m_keyMap;
    QButtonGroup *m_pLayoutGroup = nullptr;
};
