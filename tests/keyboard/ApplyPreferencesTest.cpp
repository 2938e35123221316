#include "keyboard/KeyboardWnd.h"
#include "keymaps/KeyMapDlg.h"
#include "platform/IniProfile.h"
#include "prefs/ActionPage.h"
#include "prefs/DialogDriver.h"
#include "prefs/KeyPrefsPage.h"
#include "prefs/LookFeelPage.h"
#include "prefs/PropertySheet.h"
#include "support/TestEnvironment.h"
#include "FakeKeyboardHost.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QPushButton>
#include <QTabBar>

#include <memory>

namespace {
constexpr int kCellQ = 26;

QByteArray MapBytes(char16_t q)
{
    KeyMap map = DefaultKeyMap();
    map.m_chCells[kPlaneNormal][kCellQ] = q;
    return QByteArray(reinterpret_cast<const char *>(map.Bytes()), kKeyMapBytes);
}

class ApplyPreferences : public testing::Test
{
protected:
    void SetUp() override
    {
        m_wnd = std::make_unique<CKeyboardWnd>();
        m_wnd->m_pView = &m_host;
        ASSERT_TRUE(m_wnd->Create(nullptr));
        m_wnd->show();
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

    static void ShowPage(CPropertySheet &sheet, int index)
    {
        QTest::mouseClick(sheet.TabBar(), Qt::LeftButton, {}, sheet.TabBar()->tabRect(index).center());
    }

    QByteArray PreferencesBytes() const
    {
        QFile file(m_environment.PreferencesFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }

    TestEnvironment m_environment;
    FakeHost m_host;
    std::unique_ptr<CKeyboardWnd> m_wnd;
};
}

TEST_F(ApplyPreferences, ANewKeyMapMadeInTheSheetIsInUseAfterOk)
{
    m_environment.WriteProgramFile(QStringLiteral("KeyMaps/German.kmap"), MapBytes(u'g'));
    RunSheet([](CPropertySheet &sheet) {
        WhenModal<CKeyMapDlg>([](CKeyMapDlg &editor) {
            QTest::mouseClick(&editor, Qt::LeftButton, {}, CKeyMapDlg::KeyRect(10).center());
            TypeText(GetDlgItem(&editor, CKeyMapDlg::kLetterId), QStringLiteral("\u00df"));
            TypeText(GetDlgItem(&editor, CKeyMapDlg::kNameId), QStringLiteral("Mine"));
            TapItem(&editor, IDOK);
        });
        TapItem(sheet.GetPage(0), CLookFeelPage::kNewKeyMapId);
        Tap(sheet.OkButton());
    });
    EXPECT_EQ(m_wnd->GetSettings().m_strKeyMap, u"Mine.kmap");
    EXPECT_EQ(m_wnd->CurrentPlane()[kCellQ], u'\u00df');
    Settings stored;
    LoadSettings(stored, IniProfile(IniProfile::PreferencesPath()));
    EXPECT_EQ(stored.m_strKeyMap, u"Mine.kmap");
}

TEST_F(ApplyPreferences, ChangingOnlyTheDirectionMovesPadLineListAndMenuAndTurnsTheFonts)
{
    const QRect pad = m_wnd->Pad().geometry();
    const QRect list = m_wnd->Pad().LineList().geometry();
    const QRect menu = m_wnd->SideMenu().geometry();
    const QImage board = m_wnd->ScreenImage().copy();
    ASSERT_EQ(m_wnd->KeyFont().Escapement(), 900);
    RunSheet([](CPropertySheet &sheet) {
        ShowPage(sheet, 1);
        TapItem(sheet.GetPage(1), CActionPage::kLeftHandedId);
        Tap(sheet.OkButton());
    });
    EXPECT_EQ(m_wnd->GetSettings().m_bRightHanded, 0);
    EXPECT_EQ(m_wnd->KeyFont().Escapement(), 2700);
    EXPECT_EQ(m_wnd->MarkFont().Escapement(), 2700);
    EXPECT_EQ(m_wnd->Pad().geometry(), QRect(QPoint(238 - pad.right(), 318 - pad.bottom()), pad.size()));
    EXPECT_NE(m_wnd->Pad().LineList().geometry(), list);
    EXPECT_NE(m_wnd->SideMenu().geometry(), menu);
    EXPECT_NE(m_wnd->ScreenImage(), board);
    EXPECT_EQ(m_wnd->ScreenImage(), m_wnd->ComposedUp()) << "the board is composed anew";
}

TEST_F(ApplyPreferences, CancelLeavesSettingsFileBoardAndHotKeyAsTheyWere)
{
    SaveSettings(m_wnd->GetSettings(), *std::make_unique<IniProfile>(IniProfile::PreferencesPath()));
    const QByteArray before = PreferencesBytes();
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
    EXPECT_EQ(PreferencesBytes(), before);
    const Settings &settings = m_wnd->GetSettings();
    EXPECT_EQ(std::tuple(settings.m_nKeyLayout, settings.m_bRightHanded, settings.m_bAssignHotkey),
              std::tuple(2, 1, 0));
    EXPECT_EQ(m_wnd->KeyFont().Escapement(), 900);
    EXPECT_EQ(m_wnd->ScreenImage(), board);
    EXPECT_EQ(m_environment.m_hotKeys.m_calls.size(), hotKeyCalls);
    EXPECT_FALSE(QFile::exists(IniProfile::ShellKeysPath()));
}

TEST_F(ApplyPreferences, OkWithoutChangesStoresAllSeventeenValuesAndReReadsKeyMapAndSkin)
{
    m_environment.WriteProgramFile(QStringLiteral("KeyMaps/Mine.kmap"), MapBytes(u'm'));
    m_environment.WriteProgramFile(QStringLiteral("Skins/Broken.kbskn"), "not a skin");
    m_wnd->GetSettings().m_strKeyMap = u"Mine.kmap";
    m_wnd->GetSettings().m_strSkin = u"Broken.kbskn";
    ASSERT_EQ(PreferencesBytes(), QByteArray("(none)"));
    QPainter(&const_cast<QImage &>(m_wnd->ScreenImage())).fillRect(0, 0, 240, 320, Qt::red);
    RunSheet([](CPropertySheet &sheet) { Tap(sheet.OkButton()); });
    EXPECT_EQ(m_wnd->CurrentPlane()[kCellQ], u'm');
    EXPECT_EQ(m_environment.m_prompt.m_texts,
              QStringList{"The selected file - 'Broken.kbskn' is not a valid skin file.  Using the default skin."});
    EXPECT_EQ(m_wnd->ScreenImage(), m_wnd->ComposedUp());
    const QList<QByteArray> lines = PreferencesBytes().split('\n');
    EXPECT_EQ(lines.first(), QByteArray("[Quorlex]"));
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const QByteArray &line) { return line.contains('='); }),
              17);
    Settings stored;
    LoadSettings(stored, IniProfile(IniProfile::PreferencesPath()));
    EXPECT_EQ(std::tuple(stored.m_strKeyMap, stored.m_strSkin, stored.m_nHotkeyNum, stored.m_bRightHanded),
              std::tuple(std::u16string(u"Mine.kmap"), std::u16string(u"Broken.kbskn"), -1, 1));
}
