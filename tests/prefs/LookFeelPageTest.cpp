#include "app/Settings.h"
#include "keymaps/KeyMapDlg.h"
#include "keymaps/KeyMapFile.h"
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
constexpr int kCellQ = 26;

QByteArray MapBytes(const KeyMap &map)
{
    return QByteArray(reinterpret_cast<const char *>(map.Bytes()), kKeyMapBytes);
}

// A map that differs from the default in its q key.
KeyMap MapWithQ(char16_t q)
{
    KeyMap map = DefaultKeyMap();
    map.m_chCells[kPlaneNormal][kCellQ] = q;
    return map;
}

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

// Gives the running editor's q key the character and confirms under the name.
void EditQAndConfirm(CKeyMapDlg &editor, char16_t q, const QString &name, char16_t *startedWith)
{
    *startedWith = editor.m_pKeyMap->m_chCells[kPlaneNormal][kCellQ];
    QTest::mouseClick(&editor, Qt::LeftButton, {}, CKeyMapDlg::KeyRect(10).center());
    TypeText(GetDlgItem(&editor, CKeyMapDlg::kLetterId), QString(QChar(q)));
    if (editor.m_bNewMode)
        TypeText(GetDlgItem(&editor, CKeyMapDlg::kNameId), name);
    TapItem(&editor, IDOK);
}
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
            environment.WriteProgramFile(QStringLiteral("KeyMaps/German.kmap"), MapBytes(DefaultKeyMap()));
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
    const QString german = environment.WriteProgramFile(QStringLiteral("KeyMaps/German.kmap"), MapBytes(MapWithQ(u'g')));
    OpenLookFeel open(environment, u"German.kmap", u"Default Skin");
    const struct {
        QString name;
        char16_t startedWith;
        QStringList entries;
    } rounds[] = {
        {QStringLiteral("Swiss"), u'g', {"Default Key Map", "German.kmap", "Swiss.kmap"}},
        {QStringLiteral("German"), u's', {"Default Key Map", "German.kmap", "Swiss.kmap"}},
    };
    char16_t q = u's';
    for (const auto &round : rounds) {
        char16_t startedWith = 0;
        WhenModal<CKeyMapDlg>([&](CKeyMapDlg &editor) { EditQAndConfirm(editor, q, round.name, &startedWith); });
        TapItem(&open.page, CLookFeelPage::kNewKeyMapId);
        EXPECT_EQ(startedWith, round.startedWith);
        EXPECT_EQ(open.Entries(CLookFeelPage::kKeyMapListId), round.entries);
        EXPECT_EQ(open.List(CLookFeelPage::kKeyMapListId)->currentText(), round.name + QStringLiteral(".kmap"));
        QFile written(environment.ProgramFolder() + QStringLiteral("/KeyMaps/") + round.name + ".kmap");
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_EQ(written.readAll(), MapBytes(MapWithQ(q)));
        q = u't';
    }
    ASSERT_EQ(environment.m_prompt.m_texts.size(), 2);
    EXPECT_TRUE(environment.m_prompt.m_texts[0].contains(QStringLiteral("support@vorlane.example")));
    EXPECT_TRUE(environment.m_prompt.m_texts[0].endsWith(QStringLiteral("\nThank You.")));
}

TEST(LookFeelPage, EditKeyMapRewritesTheSelectedFileAndCancelWritesNothing)
{
    TestEnvironment environment;
    const QString path = environment.WriteProgramFile(QStringLiteral("KeyMaps/French.kmap"), MapBytes(MapWithQ(u'f')));
    OpenLookFeel open(environment, u"French.kmap", u"Default Skin");
    WhenModal<CKeyMapDlg>([](CKeyMapDlg &editor) {
        EXPECT_EQ(editor.m_strName, QStringLiteral("French.kmap"));
        editor.m_pKeyMap->m_chCells[kPlaneNormal][kCellQ] = u'x';
        TapItem(&editor, IDCANCEL);
    });
    TapItem(&open.page, CLookFeelPage::kEditKeyMapId);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), MapBytes(MapWithQ(u'f')));
    file.close();
    char16_t startedWith = 0;
    WhenModal<CKeyMapDlg>([&](CKeyMapDlg &editor) { EditQAndConfirm(editor, u'\u00e7', {}, &startedWith); });
    TapItem(&open.page, CLookFeelPage::kEditKeyMapId);
    EXPECT_EQ(startedWith, u'f');
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), MapBytes(MapWithQ(u'\u00e7')));
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

TEST(LookFeelPage, PicturesTheCheckedLayoutBesideItsButton)
{
    TestEnvironment environment;
    OpenLookFeel open(environment, u"Default Key Map", u"Default Skin");
    const int ids[] = {CLookFeelPage::kFlatId, CLookFeelPage::kCrestId, CLookFeelPage::kTroughId};
    // Offsets from the button's top of the outer and middle squares' tops,
    // for a button made 18 pixels high: d = 6.
    const std::pair<int, int> tops[] = {{6, 6}, {13, 1}, {0, 12}};
    for (int layout = 0; layout < 3; ++layout) {
        QWidget *radio = GetDlgItem(&open.page, ids[layout]);
        radio->resize(radio->width(), 18);
        TapItem(&open.page, ids[layout]);
        const QRect button = radio->geometry();
        const QImage image = Snapshot(&open.page);
        const int x0 = button.x() + button.width() + 50;
        for (const auto &[x, top] : {std::pair{x0, tops[layout].first}, std::pair{x0 + 20, tops[layout].second}}) {
            EXPECT_EQ(image.pixelColor(x + 2, button.y() + top + 2), QColor(Qt::black)) << layout;
            EXPECT_NE(image.pixelColor(x + 2, button.y() + top - 1), QColor(Qt::black)) << layout;
            EXPECT_NE(image.pixelColor(x + 2, button.y() + top + 5), QColor(Qt::black)) << layout;
        }
    }
}
