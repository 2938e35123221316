#include "settings/Settings.h"
#include "prefs/FontDlg.h"
#include "prefs/LookFeelPage.h"
#include "dialogs/PropertySheet.h"
#include "support/TestEnvironment.h"
#include "support/DialogDriver.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {
// The sheet with the Look and Feel page alone, opened on settings that name
// the key map and skin in use.
struct OpenLookFeel {
    Settings settings;
    CLookFeelPage page;
    CPropertySheet sheet{QStringLiteral("Preferences")};

    OpenLookFeel(const TestEnvironment &environment, const std::u16string &keyMap, const std::u16string &skin)
    {
        std::tie(settings.m_strProgramFolder, settings.m_strKeyMap, settings.m_strSkin) =
            std::tuple(environment.ProgramFolder().toStdU16String(), keyMap, skin);
        page.m_pSettings = &settings;
        sheet.AddPage(&page);
        sheet.Create();
    }

    QStringList Entries(int id) const
    {
        QStringList entries;
        for (int i = 0; i < GetDlgItemAs<QComboBox>(&page, id)->count(); ++i)
            entries << GetDlgItemAs<QComboBox>(&page, id)->itemText(i);
        return entries;
    }
    QString KeyMap() const { return GetDlgItemAs<QComboBox>(&page, CLookFeelPage::kKeyMapListId)->currentText(); }
    bool EditEnabled() const { return GetDlgItem(&page, CLookFeelPage::kEditKeyMapId)->isEnabled(); }
};
}

TEST(LookFeelPage, ListsDefaultsThenFilesAndSelectsTheCurrentNamesByPrefixOrTheDefaults)
{
    for (const bool files : {true, false}) {
        TestEnvironment environment;
        if (files) {
            environment.WriteProgramFile(QStringLiteral("Skins/Ocean.kbskn"), "x");
            environment.WriteProgramFile(QStringLiteral("Skins/notes.txt"), "x");
            environment.WriteProgramFile(QStringLiteral("KeyMaps/German.kmap"), MapBytes(u'q'));
        }
        OpenLookFeel open(environment, u"german", u"OCEAN.kbskn");
        const QStringList skins = QStringList{"Default Skin", "Ocean.kbskn"}.mid(0, files ? 2 : 1);
        const QStringList keyMaps = QStringList{"Default Key Map", "German.kmap"}.mid(0, files ? 2 : 1);
        EXPECT_EQ(open.Entries(CLookFeelPage::kSkinListId), skins);
        EXPECT_EQ(open.Entries(CLookFeelPage::kKeyMapListId), keyMaps);
        QWidget *list = GetDlgItem(&open.page, CLookFeelPage::kKeyMapListId);
        EXPECT_EQ(open.EditEnabled(), files);
        for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Down}) {
            QTest::keyClick(list, key);
            EXPECT_EQ(open.EditEnabled(), files && key == Qt::Key_Down) << files << key;
        }
        Tap(open.sheet.OkButton());
        EXPECT_EQ(open.page.m_strKeyMap, keyMaps.last());
        EXPECT_EQ(open.page.m_strSkin, skins.last());
        EXPECT_TRUE(environment.m_prompt.m_texts.isEmpty());
    }
}

// Whichever of two names differing in case the directory lists first, OK
// keeps the one the settings hold.
TEST(LookFeelPage, AnExactNameWinsOverOneDifferingInCase)
{
    TestEnvironment environment;
    for (const QString name : {"German", "german"}) {
        environment.WriteProgramFile("KeyMaps/" + name + ".kmap", MapBytes(u'q'));
        environment.WriteProgramFile("Skins/" + name + ".kbskn", "x");
    }
    for (const std::u16string name : {u"German", u"german"}) {
        OpenLookFeel open(environment, name + u".kmap", name + u".kbskn");
        Tap(open.sheet.OkButton());
        EXPECT_EQ(open.page.m_strKeyMap.toStdU16String(), name + u".kmap");
        EXPECT_EQ(open.page.m_strSkin.toStdU16String(), name + u".kbskn");
    }
}

TEST(LookFeelPage, NewKeyMapsStartFromTheSelectedMapAndEditRewritesTheSelectedFileUnlessCancelled)
{
    TestEnvironment environment;
    environment.WriteProgramFile(QStringLiteral("KeyMaps/German.kmap"), MapBytes(u'g'));
    OpenLookFeel open(environment, u"German.kmap", u"Default Skin");
    const QString folder = environment.ProgramFolder() + "/KeyMaps/";
    const QStringList entries{"Default Key Map", "German.kmap", "Swiss.kmap"};
    // The second map, made again under an existing name, starts from the
    // first one; the existing entry is then selected, not added twice.
    const std::tuple<QString, char16_t, char16_t> rounds[] = {{"Swiss", u'g', u's'}, {"German", u's', u't'}};
    for (const auto &[name, from, q] : rounds) {
        char16_t startedWith = 0;
        WhenModal<CKeyMapDlg>([&](CKeyMapDlg &editor) { startedWith = EditQAndConfirm(editor, q, name); });
        TapItem(&open.page, CLookFeelPage::kNewKeyMapId);
        EXPECT_EQ(startedWith, from);
        EXPECT_EQ(open.Entries(CLookFeelPage::kKeyMapListId), entries);
        EXPECT_EQ(open.KeyMap(), name + ".kmap");
        EXPECT_EQ(FileBytes(folder + name + ".kmap"), MapBytes(q));
    }
    EXPECT_TRUE(environment.m_prompt.m_texts.value(0).contains("support@vorlane.example") &&
                environment.m_prompt.m_texts.value(0).endsWith("\nThank You."));
    WhenModal<CKeyMapDlg>([](CKeyMapDlg &editor) {
        EXPECT_EQ(editor.m_strName, QStringLiteral("German.kmap"));
        EXPECT_FALSE(GetDlgItem(&editor, CKeyMapDlg::kNameId)->isEnabled()) << "an edited map keeps its name";
        editor.m_pKeyMap->m_chCells[kPlaneNormal][kCellQ] = u'x';
        TapItem(&editor, IDCANCEL);
    });
    TapItem(&open.page, CLookFeelPage::kEditKeyMapId);
    EXPECT_EQ(FileBytes(folder + "German.kmap"), MapBytes(u't'));
    char16_t startedWith = 0;
    WhenModal<CKeyMapDlg>([&](CKeyMapDlg &editor) { startedWith = EditQAndConfirm(editor, u'\u00e7'); });
    TapItem(&open.page, CLookFeelPage::kEditKeyMapId);
    EXPECT_EQ(startedWith, u't');
    EXPECT_EQ(FileBytes(folder + "German.kmap"), MapBytes(u'\u00e7'));
}

TEST(LookFeelPage, AFontAbove15PointsIsTakenAfterAWarning)
{
    for (const int size : {15, 16}) {
        TestEnvironment environment;
        OpenLookFeel open(environment, u"Default Key Map", u"Default Skin");
        std::tie(open.page.m_nFontSize, open.page.m_bFontStrike) = std::tuple(12, 1);
        WhenModal<CFontDlg>([size](CFontDlg &dialog) {
            EXPECT_EQ(dialog.m_nSize, 12);
            TypeText(GetDlgItemAs<QComboBox>(&dialog, CFontDlg::kSizeListId)->lineEdit(), QString::number(size));
            TapItem(&dialog, CFontDlg::kBoldId);
            TapItem(&dialog, IDOK);
        });
        TapItem(&open.page, CLookFeelPage::kChangeFontId);
        EXPECT_EQ(std::tuple(open.page.m_nFontSize, open.page.m_bFontBold, open.page.m_bFontStrike),
                  std::tuple(size, 1, 1));
        EXPECT_EQ(environment.m_prompt.m_texts.size(), size > 15 ? 1 : 0);
    }
}
