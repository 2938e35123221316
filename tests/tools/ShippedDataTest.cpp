#include "keyboard/KeyboardWnd.h"
#include "keymaps/KeyMapFile.h"
#include "tools/ToolRun.h"

#include <QDir>

namespace {
const QString kBuild = QStringLiteral(QUORLEX_BUILD_FOLDER);

QStringList Files(const QString &folder, const QString &pattern)
{
    return QDir(folder).entryList({pattern}, QDir::Files, QDir::Name);
}

bool PlaneHas(const KeyMap &map, int plane, const QString &characters)
{
    const char16_t *cells = map.m_chCells[plane];
    return std::all_of(characters.begin(), characters.end(), [cells](QChar ch) {
        return std::find(cells, cells + kKeyMapCells, ch.unicode()) != cells + kKeyMapCells;
    });
}
}

TEST(ShippedData, KeyMapsLoadWithoutMessageOrWarningAndHoldTheirLanguage)
{
    // What each language cannot do without, beyond a to z.
    const std::map<QString, std::pair<QString, QString>> languages = {
        {"French.kmap", {"\u00E9\u00E8\u00E0\u00F9\u00E7\u00E2\u00EA\u00EE\u00F4\u00FB\u00EB\u00EF\u00FC\u00FF\u0153\u00E6",
                         "\u00AB\u00BB\u20AC"}},
        {"German.kmap", {"\u00E4\u00F6\u00FC\u00DF", "\u201E\u201C\u201A\u2018\u20AC"}},
        {"Spanish.kmap", {"\u00E1\u00E9\u00ED\u00F3\u00FA\u00F1\u00FC", "\u00BF\u00A1\u00AB\u00BB\u20AC"}},
        {"Swedish.kmap", {"\u00E5\u00E4\u00F6", "\u201D\u2019\u20AC"}},
    };
    ASSERT_EQ(Files(kBuild + "/KeyMaps", "*.kmap"),
              QStringList({"French.kmap", "German.kmap", "Spanish.kmap", "Swedish.kmap"}));
    for (const auto &[name, letters] : languages) {
        KeyMap map;
        ReadKeyMapFile(map, (kBuild + "/KeyMaps/" + name).toStdU16String());
        EXPECT_TRUE(PlaneHas(map, kPlaneNormal, "abcdefghijklmnopqrstuvwxyz0123456789,.") &&
                    PlaneHas(map, kPlaneUmlaut, letters.first) && PlaneHas(map, kPlanePunct, letters.second + "?'\"-()"))
            << name.toStdString();
        EXPECT_EQ(map.m_chCells[kPlanePunct][38], u' ');
        EXPECT_EQ(map.m_chCells[kPlaneUmlautShift][39], u'\t');
    }
}

TEST(ShippedData, SkinsLoadWithoutMessageAndKeepTheCharacterRowsUnpressed)
{
    const QStringList skins = Files(kBuild + "/Skins", "*.kbskn");
    ASSERT_EQ(skins, QStringList({"Dark.kbskn", "Light.kbskn"}));
    for (const QString &name : skins) {
        TestEnvironment environment;
        const QByteArray bytes = FileBytes(kBuild + "/Skins/" + name);
        environment.WriteProgramFile("Skins/" + name, bytes);
        CKeyboardWnd wnd;
        ASSERT_TRUE(wnd.LoadSkin(name.toStdU16String()));
        EXPECT_TRUE(environment.m_prompt.m_texts.isEmpty()) << name.toStdString();
        // Between the strips both backgrounds are the same, so a key's press
        // shows only in its face; the faceless keys of the strips do change.
        const QImage up = wnd.SkinBitmap(SI_BACKGROUND_UP);
        const QImage down = wnd.SkinBitmap(SI_BACKGROUND_DOWN);
        EXPECT_EQ(up.copy(30, 0, 180, 320), down.copy(30, 0, 180, 320)) << name.toStdString();
        for (const int slot : {0, 8, 9, 50, 51, 52, 53, 54, 56, 57, 58, 59}) {
            const Rect key = wnd.GetKeyRect(KeyCodeOfIndex(slot), slot);
            const QPoint edge(key.left + key.Width() / 2, key.top + 3);
            EXPECT_NE(up.pixel(edge), down.pixel(edge)) << name.toStdString() << " slot " << slot;
        }
    }
}
