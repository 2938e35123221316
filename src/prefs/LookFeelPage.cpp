#include "prefs/LookFeelPage.h"

#include "settings/Settings.h"
#include "keymaps/KeyMapDlg.h"
#include "keymaps/KeyMapFile.h"
#include "platform/Platform.h"
#include "dialogs/ControlBuilder.h"
#include "dialogs/DataExchange.h"
#include "dialogs/DialogItems.h"
#include "prefs/FontDlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

namespace {
const char16_t kDefaultSkinName[] = u"Default Skin";
const char *const kNewKeyMapNotice =
    "The newly created key maps are saved as '.kmap' files under the 'KeyMaps' folder in the installation "
    "folder.If you make a key map for the keyboard of a language other than English, please send it to "
    "support@vorlane.example so that we can offer it for download to everybody.\nThank You.";
const char *const kLargeFontWarning =
    "You selected a font of point size greater than 15.  The text of this size may not fit well in the edit "
    "window and on the buttons.  Select a different size if that happens to be the case.";

// The layout picture: six squares beside the checked radio button.
constexpr int kPictureGap = 50;
constexpr int kSquareSize = 5;
constexpr int kSquareStep = 10;
constexpr int kSquares = 6;
}

CLookFeelPage::CLookFeelPage()
    : CPrefsPage(QStringLiteral("Look And Feel"), QStringLiteral("Look && Feel"), QSize(136, 157))
{
}

void CLookFeelPage::CreateControls(ControlBuilder &builder)
{
    CPrefsPage::CreateControls(builder);
    builder.Static(kSkinLabelId, QStringLiteral("Keyboard Skin:"), QRect(6, 16, 100, 9));
    builder.ComboBox(kSkinListId, QRect(6, 26, 128, 14), false);
    CreateKeyMapControls(builder);
    CreateLayoutControls(builder);
    QPushButton *font = builder.Button(kChangeFontId, QStringLiteral("Change Edit Font..."), QRect(6, 140, 90, 14));
    connect(font, &QPushButton::clicked, this, [this] { OnChangeFont(); });
}

void CLookFeelPage::CreateKeyMapControls(ControlBuilder &builder)
{
    builder.Static(kKeyMapLabelId, QStringLiteral("Key Map:"), QRect(6, 44, 100, 9));
    QComboBox *list = builder.ComboBox(kKeyMapListId, QRect(6, 54, 128, 14), false);
    connect(list, &QComboBox::activated, this, [this] { UpdateEditButton(); });
    QPushButton *create = builder.Button(kNewKeyMapId, QStringLiteral("New Key Map..."), QRect(6, 72, 62, 14));
    connect(create, &QPushButton::clicked, this, [this] { OnNewKeyMap(); });
    QPushButton *edit = builder.Button(kEditKeyMapId, QStringLiteral("Edit Key Map..."), QRect(72, 72, 62, 14));
    connect(edit, &QPushButton::clicked, this, [this] { OnEditKeyMap(); });
}

void CLookFeelPage::CreateLayoutControls(ControlBuilder &builder)
{
    builder.GroupBox(kLayoutGroupId, QStringLiteral("Keys Layout"), QRect(4, 90, 130, 46));
    m_pLayoutGroup = builder.RadioGroup();
    const std::pair<int, const char *> buttons[] = {{kFlatId, "Flat"}, {kCrestId, "Crest"}, {kTroughId, "Trough"}};
    int top = 101;
    for (const auto &[id, text] : buttons) {
        QRadioButton *button = builder.Radio(m_pLayoutGroup, id, QString::fromLatin1(text), QRect(12, top, 50, 10));
        connect(button, &QRadioButton::clicked, this, [this] { repaint(); });
        top += 11;
    }
}

bool CLookFeelPage::OnInitDialog()
{
    CPrefsPage::OnInitDialog();
    FillSkinList();
    FillKeyMapList();
    ColourBlue({IDCANCEL, kSkinLabelId, kKeyMapLabelId, kLayoutGroupId, kNewKeyMapId, kEditKeyMapId, kChangeFontId});
    return true;
}

void CLookFeelPage::DoDataExchange(bool save)
{
    DdxRadio(save, m_pLayoutGroup, m_nKeyLayout);
    DdxComboText(save, KeyMapList(), m_strKeyMap);
    DdxComboText(save, SkinList(), m_strSkin);
}

void CLookFeelPage::FillSkinList()
{
    QComboBox *list = SkinList();
    list->clear();
    list->addItem(QString::fromUtf16(kDefaultSkinName));
    if (m_pSettings == nullptr)
        return;
    // A missing folder lists nothing, which leaves the default skin alone.
    const QDir skins(QString::fromStdU16String(m_pSettings->m_strProgramFolder) + QStringLiteral("/Skins"));
    const QDir::Filters files = QDir::Files | QDir::Hidden;
    for (const QString &name : skins.entryList({QStringLiteral("*.kbskn")}, files, QDir::Unsorted))
        list->addItem(name);
    if (SelectString(list, QString::fromStdU16String(m_pSettings->m_strSkin)) < 0)
        list->setCurrentIndex(0);
}

void CLookFeelPage::FillKeyMapList()
{
    QComboBox *list = KeyMapList();
    list->clear();
    if (m_pSettings == nullptr) {
        list->addItem(QString::fromUtf16(kDefaultKeyMapName));
    } else {
        for (const std::u16string &name : ListKeyMaps(m_pSettings->m_strProgramFolder))
            list->addItem(QString::fromStdU16String(name));
        if (SelectString(list, QString::fromStdU16String(m_pSettings->m_strKeyMap)) < 0)
            list->setCurrentIndex(0);
    }
    UpdateEditButton();
}

void CLookFeelPage::UpdateEditButton()
{
    GetDlgItem(this, kEditKeyMapId)->setEnabled(KeyMapList()->currentIndex() > 0);
}

void CLookFeelPage::OnNewKeyMap()
{
    // Without the program folder there is no KeyMaps folder to write to.
    if (m_pSettings == nullptr)
        return;
    Platform::MessageBox(QString::fromUtf8(kNewKeyMapNotice));
    const std::u16string folder = KeyMapsFolderPath();
    // A new map starts as a copy of the one selected.
    if (KeyMapList()->currentIndex() > 0)
        ReadWorkKeyMap(folder, KeyMapList()->currentText());
    else
        m_keyMap = DefaultKeyMap();
    CKeyMapDlg dialog;
    dialog.m_bNewMode = true;
    dialog.m_strFolder = folder;
    dialog.m_pKeyMap = &m_keyMap;
    if (dialog.DoModal() == IDCANCEL || !WriteWorkKeyMap(folder, dialog.m_strName))
        return;
    SelectNewKeyMap(dialog.m_strName);
    UpdateEditButton();
}

void CLookFeelPage::SelectNewKeyMap(const QString &name)
{
    // A map made again under its old name is still one entry.
    QComboBox *list = KeyMapList();
    int index = list->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        list->addItem(name);
        index = list->count() - 1;
    }
    list->setCurrentIndex(index);
}

void CLookFeelPage::OnEditKeyMap()
{
    if (m_pSettings == nullptr || KeyMapList()->currentIndex() <= 0)
        return;
    const std::u16string folder = KeyMapsFolderPath();
    const QString name = KeyMapList()->currentText();
    ReadWorkKeyMap(folder, name);
    CKeyMapDlg dialog;
    dialog.m_bNewMode = false;
    dialog.m_strFolder = folder;
    dialog.m_strName = name;
    dialog.m_pKeyMap = &m_keyMap;
    if (dialog.DoModal() != IDCANCEL)
        WriteWorkKeyMap(folder, name);
}

void CLookFeelPage::ReadWorkKeyMap(const std::u16string &folder, const QString &name)
{
    const KeyMapFileResult result = ReadKeyMapIn(m_keyMap, folder, name.toStdU16String());
    if (!result.m_strMessage.empty())
        Platform::MessageBox(QString::fromStdU16String(result.m_strMessage));
}

bool CLookFeelPage::WriteWorkKeyMap(const std::u16string &folder, const QString &name)
{
    const KeyMapFileResult result = WriteKeyMapIn(m_keyMap, folder, name.toStdU16String());
    if (!result.m_strMessage.empty())
        Platform::MessageBox(QString::fromStdU16String(result.m_strMessage));
    return result.m_bOk;
}

void CLookFeelPage::OnChangeFont()
{
    CFontDlg dialog;
    dialog.m_strFaceName = m_strFontName;
    dialog.m_nSize = m_nFontSize;
    dialog.m_bBold = m_bFontBold;
    dialog.m_bItalic = m_bFontItalic;
    dialog.m_bStrike = m_bFontStrike;
    dialog.m_bUnderline = m_bFontUnderline;
    if (dialog.DoModal() != IDOK)
        return;
    if (dialog.m_nSize > kLargestComfortablePoints)
        Platform::MessageBox(QString::fromUtf8(kLargeFontWarning));
    m_strFontName = dialog.m_strFaceName;
    m_nFontSize = dialog.m_nSize;
    m_bFontBold = dialog.m_bBold != 0 ? 1 : 0;
    m_bFontItalic = dialog.m_bItalic != 0 ? 1 : 0;
    m_bFontStrike = dialog.m_bStrike != 0 ? 1 : 0;
    m_bFontUnderline = dialog.m_bUnderline != 0 ? 1 : 0;
}

void CLookFeelPage::PaintPage(QPainter &painter)
{
    QAbstractButton *checked = m_pLayoutGroup->checkedButton();
    if (checked == nullptr)
        return;
    const int layout = m_pLayoutGroup->id(checked);
    const QRect button = checked->geometry();
    const int top = button.y();
    const int bottom = top + button.height();
    const int left = button.x() + button.width() + kPictureGap;
    const int step = (bottom - top) / 3;
    for (int i = 0; i < kSquares; ++i) {
        // Distance of the square from the middle of the row: 2, 1, 0, 0, 1, 2.
        const int fromMiddle = i < kSquares / 2 ? kSquares / 2 - 1 - i : i - kSquares / 2;
        int squareTop = top + (bottom - top - kSquareSize) / 2;
        if (layout == 1)
            squareTop = bottom - (2 - fromMiddle) * step - kSquareSize;
        else if (layout == 2)
            squareTop = top + (2 - fromMiddle) * step;
        painter.fillRect(left + kSquareStep * i, squareTop, kSquareSize, kSquareSize, Qt::black);
    }
}

std::u16string CLookFeelPage::KeyMapsFolderPath() const
{
    return KeyMapsFolder(m_pSettings->m_strProgramFolder);
}

QComboBox *CLookFeelPage::SkinList() const
{
    return GetDlgItemAs<QComboBox>(this, kSkinListId);
}

QComboBox *CLookFeelPage::KeyMapList() const
{
    return GetDlgItemAs<QComboBox>(this, kKeyMapListId);
}
