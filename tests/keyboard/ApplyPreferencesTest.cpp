#include "keyboard/KeyboardWnd.h"
#include "platform/IniProfile.h"
#include "prefs/ActionPage.h"
#include "support/DialogDriver.h"
#include "prefs/KeyPrefsPage.h"
#include "prefs/LookFeelPage.h"
#include "dialogs/PropertySheet.h"
#include "support/TestEnvironment.h"
#include "FakeKeyboardHost.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPushButton>

#include <memory>

namespace {
class ApplyPreferences : public testing::Test
{
protected:
    void SetUp() override
    {
        m_wnd->m_pView = &m_host;
        ASSERT_TRUE(m_wnd->Create(nullptr));
    }

    // Runs the sheet modally; the action works it as the user would.
    template <typename Action>
    void RunSheet(Action action)
    {
        WhenModal<CPropertySheet>([this, action](CPropertySheet &sheet) {
            EXPECT_EQ(m_host.m_pSheet, &sheet);
            action(sheet);
        });
        m_wnd->ApplyPreferences();
        EXPECT_EQ(m_host.m_pSheet, nullptr);
    }

    TestEnvironment m_environment;
    FakeHost m_host;
    std::unique_ptr<CKeyboardWnd> m_wnd = std::make_unique<CKeyboardWnd>();
};
}

TEST_F(ApplyPreferences, ANewKeyMapMadeInTheSheetIsInUseAfterOk)
{
    QDir(m_environment.ProgramFolder()).mkdir(QStringLiteral("KeyMaps"));
    RunSheet([](CPropertySheet &sheet) {
        WhenModal<CKeyMapDlg>([](CKeyMapDlg &editor) { EditQAndConfirm(editor, u'\u00df', QStringLiteral("Mine")); });
        TapItem(sheet.GetPage(0), CLookFeelPage::kNewKeyMapId);
        Tap(sheet.OkButton());
    });
    EXPECT_EQ(m_wnd->GetSettings().m_strKeyMap, u"Mine.kmap");
    EXPECT_EQ(m_wnd->CurrentPlane()[kCellQ], u'\u00df');
}

TEST_F(ApplyPreferences, ChangingOnlyTheDirectionMovesPadLineListAndMenuAndTurnsTheFonts)
{
    const QRect pad = m_wnd->Pad().geometry();
    const QRect list = m_wnd->Pad().LineList().geometry();
    const QRect menu = m_wnd->SideMenu().geometry();
    const QImage board = m_wnd->ScreenImage().copy();
    RunSheet([](CPropertySheet &sheet) {
        ShowPage(sheet, 1);
        TapItem(sheet.GetPage(1), CActionPage::kLeftHandedId);
        Tap(sheet.OkButton());
    });
    EXPECT_EQ(m_wnd->GetSettings().m_bRightHanded, 0);
    EXPECT_TRUE(m_wnd->KeyFont().Escapement() == 2700 && m_wnd->MarkFont().Escapement() == 2700);
    EXPECT_EQ(m_wnd->Pad().geometry(), QRect(QPoint(238 - pad.right(), 318 - pad.bottom()), pad.size()));
    EXPECT_NE(m_wnd->Pad().LineList().geometry(), list);
    EXPECT_NE(m_wnd->SideMenu().geometry(), menu);
    EXPECT_NE(m_wnd->ScreenImage(), board);
    EXPECT_EQ(m_wnd->ScreenImage(), m_wnd->ComposedUp()) << "the board is composed anew";
}

TEST_F(ApplyPreferences, CancelLeavesSettingsFileBoardAndHotKeyAsTheyWere)
{
    IniProfile profile(IniProfile::PreferencesPath());
    SaveSettings(m_wnd->GetSettings(), profile);
    const QByteArray before = FileBytes(m_environment.PreferencesFile());
    const QImage board = m_wnd->ScreenImage().copy();
    const size_t hotKeyCalls = m_environment.m_hotKeys.m_calls.size();
    RunSheet([](CPropertySheet &sheet) {
        TapItem(sheet.GetPage(0), CLookFeelPage::kTroughId);
        ShowPage(sheet, 1);
        TapItem(sheet.GetPage(1), CActionPage::kLeftHandedId);
        ShowPage(sheet, 2);
        TapItem(sheet.GetPage(2), CKeyPrefsPage::kAssignCheckId);
        TapItem(sheet.GetPage(2), IDCANCEL);
    });
    EXPECT_EQ(FileBytes(m_environment.PreferencesFile()), before);
    const Settings &settings = m_wnd->GetSettings();
    EXPECT_TRUE(settings.m_nKeyLayout == 2 && settings.m_bRightHanded && !settings.m_bAssignHotkey);
    EXPECT_TRUE(m_wnd->KeyFont().Escapement() == 900 && m_wnd->ScreenImage() == board);
    EXPECT_EQ(m_environment.m_hotKeys.m_calls.size(), hotKeyCalls);
    EXPECT_FALSE(QFile::exists(IniProfile::ShellKeysPath()));
}

TEST_F(ApplyPreferences, OkWithoutChangesStoresAllSeventeenValuesAndReReadsKeyMapAndSkin)
{
    m_environment.WriteProgramFile(QStringLiteral("KeyMaps/Mine.kmap"), MapBytes(u'm'));
    m_environment.WriteProgramFile(QStringLiteral("Skins/Broken.kbskn"), "not a skin");
    m_wnd->GetSettings().m_strKeyMap = u"Mine.kmap";
    m_wnd->GetSettings().m_strSkin = u"Broken.kbskn";
    ASSERT_FALSE(QFile::exists(m_environment.PreferencesFile()));
    QPainter(&const_cast<QImage &>(m_wnd->ScreenImage())).fillRect(0, 0, 240, 320, Qt::red);
    RunSheet([](CPropertySheet &sheet) { Tap(sheet.OkButton()); });
    EXPECT_EQ(m_wnd->CurrentPlane()[kCellQ], u'm');
    EXPECT_EQ(m_environment.m_prompt.m_texts,
              QStringList{"The selected file - 'Broken.kbskn' is not a valid skin file.  Using the default skin."});
    EXPECT_EQ(m_wnd->ScreenImage(), m_wnd->ComposedUp());
    const QList<QByteArray> lines = FileBytes(m_environment.PreferencesFile()).split('\n');
    EXPECT_EQ(lines.first(), QByteArray("[Quorlex]"));
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const QByteArray &line) { return line.contains('='); }),
              17);
    Settings stored;
    LoadSettings(stored, IniProfile(IniProfile::PreferencesPath()));
    EXPECT_TRUE(stored.m_strKeyMap == u"Mine.kmap" && stored.m_strSkin == u"Broken.kbskn");
}
