#include "keymaps/KeyMapDlg.h"
#include "keymaps/KeyMapFile.h"
#include "support/TestEnvironment.h"
#include "prefs/DialogDriver.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace {
constexpr int kPositionQ = 10;
constexpr int kPositionR = 13;
constexpr int kCellQ = 26;
constexpr int kCellR = 27;

// The editor open on a copy of the default map, in new or edit mode.
struct OpenEditor {
    KeyMap map = DefaultKeyMap();
    CKeyMapDlg dialog;

    OpenEditor(const TestEnvironment &environment, bool newMode, const QString &name = {})
    {
        dialog.m_bNewMode = newMode;
        dialog.m_strName = name;
        dialog.m_strFolder = KeyMapsFolder(environment.ProgramFolder().toStdU16String());
        dialog.m_pKeyMap = &map;
        dialog.Create();
    }

    QLineEdit *Field(int id) const { return GetDlgItemAs<QLineEdit>(&dialog, id); }
    QString Letter() const { return Field(CKeyMapDlg::kLetterId)->text(); }
    QString Unicode() const { return Field(CKeyMapDlg::kUnicodeId)->text(); }

    void Type(int id, const QString &text)
    {
        Field(id)->selectAll();
        if (text.isEmpty())
            QTest::keyClick(Field(id), Qt::Key_Delete);
        // Key by key, as a keyboard with these characters on its keys types them.
        for (const QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QCoreApplication::sendEvent(Field(id), &press);
        }
    }

    void TapKey(int position)
    {
        QTest::mouseClick(&dialog, Qt::LeftButton, {}, CKeyMapDlg::KeyRect(position).center());
    }

    void ChoosePlane(int plane)
    {
        QComboBox *list = GetDlgItemAs<QComboBox>(&dialog, CKeyMapDlg::kPlaneListId);
        while (list->currentIndex() < plane)
            QTest::keyClick(list, Qt::Key_Down);
    }
};
}

TEST(KeyMapDlg, TheLetterFieldStoresItsCharacterAtOnceAndAnEmptyOneNothing)
{
    TestEnvironment environment;
    OpenEditor editor(environment, true);
    EXPECT_EQ(editor.Letter(), QStringLiteral("1"));
    EXPECT_EQ(editor.Unicode(), QStringLiteral("0031"));
    editor.TapKey(kPositionR);
    editor.Type(CKeyMapDlg::kLetterId, QStringLiteral("\u00e9"));
    EXPECT_EQ(editor.map.m_chCells[kPlaneNormal][kCellR], u'\u00e9');
    EXPECT_EQ(editor.Unicode(), QStringLiteral("00E9"));
    editor.Type(CKeyMapDlg::kLetterId, QString());
    EXPECT_EQ(editor.map.m_chCells[kPlaneNormal][kCellR], u'\u00e9');
    KeyMap expected = DefaultKeyMap();
    expected.m_chCells[kPlaneNormal][kCellR] = u'\u00e9';
    EXPECT_EQ(editor.map, expected);
}

TEST(KeyMapDlg, TheUnicodeButtonStoresTheLow16BitsOrRefusesTextThatIsNotHexadecimal)
{
    const struct {
        QString text;
        char16_t stored;
        QString letter;
        QString unicode;
    } cases[] = {
        {QStringLiteral("20ac"), u'\u20ac', QStringLiteral("\u20ac"), QStringLiteral("20AC")},
        {QStringLiteral("1F600"), u'\uf600', QStringLiteral("\uf600"), QStringLiteral("F600")},
        {QString(), u'\0', QString(QChar(0)), QStringLiteral("0000")},
        {QStringLiteral("0x41"), u'r', QStringLiteral("r"), QStringLiteral("0x41")},
    };
    for (const auto &c : cases) {
        TestEnvironment environment;
        OpenEditor editor(environment, false);
        editor.TapKey(kPositionR);
        editor.Type(CKeyMapDlg::kUnicodeId, c.text);
        EXPECT_EQ(editor.map.m_chCells[kPlaneNormal][kCellR], u'r') << "typing alone stores nothing";
        TapItem(&editor.dialog, CKeyMapDlg::kApplyUnicodeId);
        EXPECT_EQ(editor.map.m_chCells[kPlaneNormal][kCellR], c.stored) << c.text.toStdString();
        EXPECT_EQ(editor.Letter(), c.letter);
        EXPECT_EQ(editor.Unicode(), c.unicode);
        const bool refused = c.stored == u'r';
        EXPECT_EQ(environment.m_prompt.m_texts,
                  refused ? QStringList{QStringLiteral("Please enter a valid unicode value.")} : QStringList());
    }
}

TEST(KeyMapDlg, TapsSelectKeysOnlyOnTheGridAndThePlaneListShowsTheSelectedKeysCell)
{
    TestEnvironment environment;
    OpenEditor editor(environment, true);
    editor.TapKey(kPositionQ);
    editor.ChoosePlane(kPlaneShift);
    EXPECT_EQ(editor.Letter(), QStringLiteral("Q"));
    EXPECT_EQ(editor.Unicode(), QStringLiteral("0051"));
    EXPECT_EQ(editor.map, DefaultKeyMap());
    // Left of and above the grid's first lines still count; the missing
    // keys at the ends of the lower rows, below the grid and right of it not.
    const struct {
        QPoint point;
        int selected;
    } taps[] = {
        {{1, 64}, 0},     {{19, 105}, 10}, {{195, 125}, 28}, {{205, 130}, 28}, {{205, 150}, 28},
        {{100, 163}, 28}, {{221, 90}, 28}, {{0, 90}, 28},   {{219, 103}, 19},
    };
    for (const auto &tap : taps) {
        QTest::mouseClick(&editor.dialog, Qt::LeftButton, {}, tap.point);
        EXPECT_EQ(editor.dialog.m_nSelected, tap.selected) << tap.point.x() << "," << tap.point.y();
    }
    EXPECT_EQ(editor.Letter(), QStringLiteral("P"));
    EXPECT_EQ(editor.dialog.m_nPlane, kPlaneShift);
}

TEST(KeyMapDlg, PaintsTheSelectedPlanesLettersAndARedFrameRoundTheSelectedKey)
{
    TestEnvironment environment;
    OpenEditor editor(environment, true);
    editor.TapKey(kPositionR);
    const QColor red(255, 0, 0);
    const auto darkPixels = [](const QImage &image, const QRect &key) {
        int count = 0;
        for (int i = 0; i < 14 * 14; ++i)
            count += qGray(image.pixel(key.left() + 3 + i % 14, key.top() + 3 + i / 14)) < 128 ? 1 : 0;
        return count;
    };
    const QRect r = CKeyMapDlg::KeyRect(kPositionR);
    QImage image = Snapshot(&editor.dialog);
    EXPECT_EQ(image.pixelColor(r.left(), r.center().y()), red);
    EXPECT_EQ(image.pixelColor(r.right() + 1, r.center().y()), red);
    EXPECT_EQ(image.pixelColor(CKeyMapDlg::kGridLeft, 150), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(210, 130), QColor(Qt::white)) << "no key right of l";
    const int lowerR = darkPixels(image, r);
    EXPECT_GT(lowerR, 0);
    editor.ChoosePlane(kPlaneShift);
    image = Snapshot(&editor.dialog);
    EXPECT_GT(darkPixels(image, r), lowerR) << "R has more ink than r";
    editor.TapKey(kPositionQ);
    image = Snapshot(&editor.dialog);
    EXPECT_NE(image.pixelColor(r.right() + 1, r.center().y()), red);
    EXPECT_EQ(image.pixelColor(CKeyMapDlg::KeyRect(kPositionQ).left(), r.center().y()), red);
}

TEST(KeyMapDlg, OkInNewModeCompletesTheNameAndCreatesTheFileInTheFolder)
{
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("German"), QStringLiteral("German.kmap")},
        {QStringLiteral("German.KMAP"), QStringLiteral("German.KMAP")},
        {QStringLiteral("my.map"), QStringLiteral("my.map.kmap")},
    };
    for (const auto &[typed, stored] : cases) {
        TestEnvironment environment;
        QDir(environment.ProgramFolder()).mkdir(QStringLiteral("KeyMaps"));
        OpenEditor editor(environment, true);
        editor.Type(CKeyMapDlg::kNameId, typed);
        TapItem(&editor.dialog, IDOK);
        EXPECT_EQ(editor.dialog.result(), IDOK);
        EXPECT_EQ(editor.dialog.m_strName, stored);
        EXPECT_EQ(editor.Field(CKeyMapDlg::kNameId)->text(), stored);
        EXPECT_TRUE(QFileInfo::exists(environment.ProgramFolder() + QStringLiteral("/KeyMaps/") + stored));
        EXPECT_TRUE(environment.m_prompt.m_texts.isEmpty());
    }
}

TEST(KeyMapDlg, ANameThatCannotBeAFileInTheFolderKeepsTheDialogOpen)
{
    TestEnvironment environment;
    const QString program = environment.ProgramFolder();
    QDir(program).mkdir(QStringLiteral("KeyMaps"));
    OpenEditor editor(environment, true);
    const QString names[] = {QString(), QStringLiteral("../Evil"), QStringLiteral("sub/x"), QStringLiteral(".."),
                             QStringLiteral("..\\x"), QString(300, QLatin1Char('a'))};
    for (const QString &name : names) {
        editor.Type(CKeyMapDlg::kNameId, name);
        TapItem(&editor.dialog, IDOK);
    }
    EXPECT_TRUE(editor.dialog.isVisible());
    EXPECT_EQ(environment.m_prompt.m_texts,
              QStringList(std::size(names), QStringLiteral("Please enter a valid name for the key map.")));
    EXPECT_EQ(QDir(program).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{"KeyMaps"});
    EXPECT_TRUE(QDir(program + QStringLiteral("/KeyMaps")).isEmpty());
}

TEST(KeyMapDlg, EditModeKeepsTheNameAndChecksNothing)
{
    TestEnvironment environment;
    OpenEditor editor(environment, false, QStringLiteral("French.kmap"));
    CKeyMapDlg &dialog = editor.dialog;
    EXPECT_EQ(GetDlgItemAs<QLabel>(&dialog, HeaderFrame::kStaticId)->text(), QStringLiteral("Edit Key Map"));
    EXPECT_FALSE(GetDlgItem(&dialog, CKeyMapDlg::kNameId)->isEnabled());
    TapItem(&dialog, IDOK);
    EXPECT_EQ(dialog.result(), IDOK);
    EXPECT_EQ(dialog.m_strName, QStringLiteral("French.kmap"));
    EXPECT_TRUE(environment.m_prompt.m_texts.isEmpty());
}
