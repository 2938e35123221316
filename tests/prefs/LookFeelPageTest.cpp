#include "app/Settings.h"
#include "keymaps/KeyMapDlg.h"
#include "prefs/FontDlg.h"
#include "prefs/LookFeelPage.h"
#include "prefs/PropertySheet.h"
#include "support/TestEnvironment.h"
#include "DialogDriver.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

namespace {
// The sheet with the Look and Feel page alone, opened on the given settings.
struct OpenLookFeel {
    Settings settings;
    CLookFeelPage page;
    CPropertySheet sheet{QStringLiteral("Preferences")};

    OpenLookFeel(const TestEnvironment &environment, const std::u16string &keyMap, const std::u16string &skin)
    {
        settings.m_strProgramFolder = environment.ProgramFolder().toStdU16String();
        settings.m_strKeyMap = keyMap;
        settings.m_strSkin = skin;
        page.m_pSettings = &settings;
        sheet.AddPage(&page);
        sheet.Create();
    }

    QComboBox *List(int id) const { return GetDlgItemAs<QComboBox>(&page, id); }
    QStringList Entries(int id) const
    {
        QStringList entries;
        for (int i = 0; i < List(id)->count(); ++i)
            entries << List(id)->itemText(i);
        return entries;
    }
    bool EditEnabled() const { return GetDlgItem(&page, CLookFeelPage::kEditKeyMapId)->isEnabled(); }
    void ChooseKeyMap(int index)
    {
        QComboBox *list = List(CLookFeelPage::kKeyMapListId);
        while (list->currentIndex() != index)
            QTest::keyClick(list, list->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
    }
};
}

TEST(LookFeelPage, ListsDefaultsThenFilesAndSelectsTheCurrentNamesByPrefixOrTheDefaults)
{
    const struct {
        bool bFiles;
        QStringList skins;
        QStringList keyMaps;
        QString skin;
        QString keyMap;
    } cases[] = {
        {true, {"Default Skin", "Ocean.kbskn"}, {"Default Key Map", "German.kmap"}, "Ocean.kbskn", "German.kmap"},
        {false, {"Default Skin"}, {"Default Key Map"}, "Default Skin", "Default Key Map"},
    };
    for (const auto &c : cases) {
        TestEnvironment environment;
        if (c.bFiles) {
            environment.WriteProgramFile(QStringLiteral("Skins/Ocean.kbskn"), "x");
            environment.WriteProgramFile(QStringLiteral("Skins/notes.txt"), "x");
            environment.WriteProgramFile(QStringLiteral("KeyMaps/German.kmap"), MapBytes(u'q'));
        }
        OpenLookFeel open(environment, u"german", u"OCEAN.kbskn");
        EXPECT_EQ(open.Entries(CLookFeelPage::kSkinListId), c.skins);
        EXPECT_EQ(open.Entries(CLookFeelPage::kKeyMapListId), c.keyMaps);
        EXPECT_EQ(open.EditEnabled(), c.bFiles);
        open.ChooseKeyMap(0);
        EXPECT_FALSE(open.EditEnabled());
        open.ChooseKeyMap(c.keyMaps.size() - 1);
        EXPECT_EQ(open.EditEnabled(), c.bFiles);
        Tap(open.sheet.OkButton());
        EXPECT_EQ(open.page.m_strKeyMap, c.keyMap);
        EXPECT_EQ(open.page.m_strSkin, c.skin);
        EXPECT_TRUE(environment.m_prompt.m_texts.isEmpty());
    }
}

TEST(LookFeelPage, NewKeyMapStartsFromTheSelectedMapWritesItAndSelectsItOnce)
{
    TestEnvironment environment;
    environment.WriteProgramFile(QStringLiteral("KeyMaps/German.kmap"), MapBytes(u'g'));
    OpenLookFeel open(environment, u"German.kmap", u"Default Skin");
    // The second map, made again under an existing name, starts from the
    // first one, which is then selected.
    const std::tuple<QString, char16_t, char16_t> rounds[] = {{"Swiss", u'g', u's'}, {"German", u's', u't'}};
    for (const auto &[name, from, q] : rounds) {
        char16_t startedWith = 0;
        WhenModal<CKeyMapDlg>([&](CKeyMapDlg &editor) { EditQAndConfirm(editor, q, name, &startedWith); });
        TapItem(&open.page, CLookFeelPage::kNewKeyMapId);
        EXPECT_EQ(startedWith, from);
        EXPECT_EQ(open.Entries(CLookFeelPage::kKeyMapListId), (QStringList{"Default Key Map", "German.kmap", "Swiss.kmap"}));
        EXPECT_EQ(open.List(CLookFeelPage::kKeyMapListId)->currentText(), name + ".kmap");
        EXPECT_EQ(FileBytes(environment.ProgramFolder() + "/KeyMaps/" + name + ".kmap"), MapBytes(q));
    }
    ASSERT_EQ(environment.m_prompt.m_texts.size(), 2);
    EXPECT_TRUE(environment.m_prompt.m_texts[0].contains("support@vorlane.example") &&
                environment.m_prompt.m_texts[0].endsWith("\nThank You."));
}

TEST(LookFeelPage, EditKeyMapRewritesTheSelectedFileAndCancelWritesNothing)
{
    TestEnvironment environment;
    const QString path = environment.WriteProgramFile(QStringLiteral("KeyMaps/French.kmap"), MapBytes(u'f'));
    OpenLookFeel open(environment, u"French.kmap", u"Default Skin");
    WhenModal<CKeyMapDlg>([](CKeyMapDlg &editor) {
        EXPECT_EQ(editor.m_strName, QStringLiteral("French.kmap"));
        EXPECT_FALSE(GetDlgItem(&editor, CKeyMapDlg::kNameId)->isEnabled()) << "an edited map keeps its name";
        editor.m_pKeyMap->m_chCells[kPlaneNormal][kCellQ] = u'x';
        TapItem(&editor, IDCANCEL);
    });
    TapItem(&open.page, CLookFeelPage::kEditKeyMapId);
    EXPECT_EQ(FileBytes(path), MapBytes(u'f'));
    char16_t startedWith = 0;
    WhenModal<CKeyMapDlg>([&](CKeyMapDlg &editor) { EditQAndConfirm(editor, u'\u00e7', {}, &startedWith); });
    TapItem(&open.page, CLookFeelPage::kEditKeyMapId);
    EXPECT_EQ(startedWith, u'f');
    EXPECT_EQ(FileBytes(path), MapBytes(u'\u00e7'));
    EXPECT_EQ(open.Entries(CLookFeelPage::kKeyMapListId), (QStringList{"Default Key Map", "French.kmap"}));
}

TEST(LookFeelPage, AFontAbove15PointsIsTakenAfterAWarning)
{
    for (const int size : {15, 16}) {
        TestEnvironment environment;
        OpenLookFeel open(environment, u"Default Key Map", u"Default Skin");
        open.page.m_nFontSize = 12;
        open.page.m_bFontStrike = 1;
        WhenModal<CFontDlg>([size](CFontDlg &dialog) {
            EXPECT_EQ(dialog.m_nSize, 12);
            TypeText(GetDlgItemAs<QComboBox>(&dialog, CFontDlg::kSizeListId)->lineEdit(), QString::number(size));
            TapItem(&dialog, CFontDlg::kBoldId);
            TapItem(&dialog, IDOK);
        });
        TapItem(&open.page, CLookFeelPage::kChangeFontId);
        EXPECT_EQ(open.page.m_nFontSize, size);
        EXPECT_EQ(open.page.m_bFontBold, 1);
        EXPECT_EQ(open.page.m_bFontStrike, 1);
        EXPECT_EQ(environment.m_prompt.m_texts.size(), size > 15 ? 1 : 0);
    }
}

TEST(LookFeelPage, PicturesACrestBesideItsButton)
{
    TestEnvironment environment;
    OpenLookFeel open(environment, u"Default Key Map", u"Default Skin");
    QWidget *crest = GetDlgItem(&open.page, CLookFeelPage::kCrestId);
    crest->resize(crest->width(), 18);
    TapItem(&open.page, CLookFeelPage::kCrestId);
    const QImage image = Snapshot(&open.page);
    // Outer squares end at the button's bottom, the middle ones 2 x 18 / 3 above.
    const QPoint x0y = crest->geometry().topLeft() + QPoint(crest->width() + 50, 0);
    for (const auto &[dx, top] : {std::pair{0, 13}, std::pair{20, 1}, std::pair{30, 1}, std::pair{50, 13}}) {
        const int x = x0y.x() + dx + 2;
        EXPECT_EQ(image.pixelColor(x, x0y.y() + top + 2), QColor(Qt::black)) << dx;
        EXPECT_NE(image.pixelColor(x, x0y.y() + top - 1), QColor(Qt::black)) << dx;
        EXPECT_NE(image.pixelColor(x, x0y.y() + top + 5), QColor(Qt::black)) << dx;
    }
}
