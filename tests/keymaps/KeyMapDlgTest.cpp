#include "keymaps/KeyMapDlg.h"
#include "keymaps/KeyMapFile.h"
#include "support/TestEnvironment.h"
#include "support/DialogDriver.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>

namespace {
constexpr int kPositionQ = 10;
constexpr int kPositionR = 13;
constexpr int kCellR = 27;

// The editor open on a copy of the default map, in new or edit mode.
struct OpenEditor {
    KeyMap map = DefaultKeyMap();
    CKeyMapDlg dialog;

    OpenEditor(const TestEnvironment &environment, bool newMode)
    {
        dialog.m_bNewMode = newMode;
        dialog.m_strFolder = KeyMapsFolder(environment.ProgramFolder().toStdU16String());
        dialog.m_pKeyMap = &map;
        dialog.Create();
    }

    QString Text(int id) const { return GetDlgItem(&dialog, id)->property("text").toString(); }
    void Type(int id, const QString &text) { TypeText(GetDlgItem(&dialog, id), text); }
    void Tap(QPoint point) { QTest::mouseClick(&dialog, Qt::LeftButton, {}, point); }
};
}

TEST(KeyMapDlg, TheLetterStoresAtOnceAndTheUnicodeButtonStoresTheLow16BitsOfValidText)
{
    constexpr int letter = CKeyMapDlg::kLetterId;
    constexpr int unicode = CKeyMapDlg::kUnicodeId;
    // Field typed in, text typed, cell stored, letter and Unicode fields shown.
    const std::tuple<int, QString, char16_t, QString, QString> cases[] = {
        {letter, "\u00e9", u'\u00e9', "\u00e9", "00E9"},  {letter, "", u'r', "", "0072"},
        {unicode, "20ac", u'\u20ac', "\u20ac", "20AC"},  {unicode, "1F600", u'\uf600', "\uf600", "F600"},
        {unicode, "", u'\0', QString(QChar(0)), "0000"}, {unicode, "0x41", u'r', "r", "0x41"},
    };
    for (const auto &[field, text, stored, shownLetter, shownUnicode] : cases) {
        TestEnvironment environment;
        OpenEditor editor(environment, false);
        editor.Tap(CKeyMapDlg::KeyRect(kPositionR).center());
        editor.Type(field, text);
        if (field == unicode) {
            EXPECT_EQ(editor.map, DefaultKeyMap()) << "typing a value alone stores nothing";
            TapItem(&editor.dialog, CKeyMapDlg::kApplyUnicodeId);
        }
        KeyMap expected = DefaultKeyMap();
        expected.m_chCells[kPlaneNormal][kCellR] = stored;
        EXPECT_EQ(editor.map, expected) << text.toStdString();
        EXPECT_EQ(editor.Text(letter) + " " + editor.Text(unicode), shownLetter + " " + shownUnicode);
        EXPECT_EQ(environment.m_prompt.m_texts, text == "0x41" ? QStringList{"Please enter a valid unicode value."}
                                                              : QStringList());
    }
}

// The selected plane's characters are painted on the keys (R has more ink
// than r) and the selected key has a red frame.
TEST(KeyMapDlg, TapsOnTheGridSelectAKeyWhosePlaneCellIsShownAndFramedInRed)
{
    TestEnvironment environment;
    OpenEditor editor(environment, true);
    EXPECT_EQ(editor.Text(CKeyMapDlg::kUnicodeId), QStringLiteral("0031"));
    const QRect r = CKeyMapDlg::KeyRect(kPositionR);
    const auto frameAndInk = [&r, &editor] {
        const QImage image = Snapshot(&editor.dialog);
        int ink = 0;
        for (int i = 0; i < 14 * 14; ++i)
            ink += qGray(image.pixel(r.left() + 3 + i % 14, r.top() + 3 + i / 14)) < 128 ? 1 : 0;
        const bool red = image.pixelColor(r.left(), r.center().y()) == QColor(255, 0, 0) &&
                         image.pixelColor(r.right() + 1, r.y()) == QColor(255, 0, 0);
        return std::pair(red, ink);
    };
    editor.Tap(r.center());
    const auto [redAtR, inkOfR] = frameAndInk();
    EXPECT_TRUE(redAtR && inkOfR > 0);
    QTest::keyClick(GetDlgItem(&editor.dialog, CKeyMapDlg::kPlaneListId), Qt::Key_Down);
    EXPECT_EQ(editor.Text(CKeyMapDlg::kLetterId) + editor.Text(CKeyMapDlg::kUnicodeId), QStringLiteral("R0052"));
    EXPECT_GT(frameAndInk().second, inkOfR);
    EXPECT_EQ(editor.map, DefaultKeyMap());
    // Left of and above the grid's first lines still count; the missing
    // keys at the ends of the lower rows, below the grid and right of it not.
    const std::pair<QPoint, int> taps[] = {
        {{1, 64}, 0},     {{19, 105}, 10}, {{195, 125}, 28}, {{205, 130}, 28}, {{205, 150}, 28},
        {{100, 163}, 28}, {{221, 90}, 28}, {{0, 90}, 28},   {{219, 103}, 19},
    };
    for (const auto &[point, selected] : taps) {
        editor.Tap(point);
        EXPECT_EQ(editor.dialog.m_nSelected, selected) << point.x() << "," << point.y();
    }
    EXPECT_EQ(editor.Text(CKeyMapDlg::kLetterId), QStringLiteral("P"));
    EXPECT_FALSE(frameAndInk().first);
    // No field covers a key, whatever the height of the dialog's face.
    for (const QWidget *child : editor.dialog.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        for (int position = 0; position < CKeyMapDlg::kPositions; ++position)
            EXPECT_TRUE(CKeyMapDlg::CellOfPosition(position) < 0 || child->isHidden() ||
                        !child->geometry().intersects(CKeyMapDlg::KeyRect(position)))
                << child->metaObject()->className() << " " << position;
}

TEST(KeyMapDlg, OkInNewModeCompletesTheNameAndCreatesTheFileInTheFolderOnly)
{
    TestEnvironment environment;
    const QDir folder(environment.ProgramFolder() + QStringLiteral("/KeyMaps"));
    const QString bad = QStringLiteral("Please enter a valid name for the key map.");
    // The first name is typed before the KeyMaps folder exists: OK makes it.
    const std::pair<QString, QString> cases[] = {
        {"German", "German.kmap"},       {"", bad},           {"../Evil", bad},           {"sub/x", bad},
        {"..", bad},           {QString(300, 'a'), bad}, {"German", "German.kmap"}, {"German.KMAP", "German.KMAP"},
        {"my.map", "my.map.kmap"}, {"Dir", bad},
    };
    for (const auto &[typed, outcome] : cases) {
        OpenEditor editor(environment, true);
        editor.Type(CKeyMapDlg::kNameId, typed);
        TapItem(&editor.dialog, IDOK);
        EXPECT_EQ(editor.dialog.isVisible(), outcome == bad) << typed.toStdString();
        EXPECT_TRUE(outcome == bad || (editor.dialog.result() == IDOK && editor.dialog.m_strName == outcome &&
                                       editor.Text(CKeyMapDlg::kNameId) == outcome && folder.exists(outcome)));
        QDir(environment.ProgramFolder()).mkpath(QStringLiteral("KeyMaps/Dir.kmap"));
    }
    EXPECT_EQ(environment.m_prompt.m_texts, QStringList(6, bad));
    EXPECT_EQ(QDir(environment.ProgramFolder()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{"KeyMaps"});
    EXPECT_EQ(folder.entryList(QDir::Files).size(), 3);
}
