#include "keymaps/KeyMapDlg.h"

#include "keymaps/HexNumber.h"
#include "keymaps/KeyMapName.h"
#include "platform/Platform.h"
#include "platform/TextDraw.h"
#include "dialogs/ControlBuilder.h"
#include "dialogs/DataExchange.h"
#include "dialogs/DialogItems.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace {
constexpr int kNoKey = -1;
// The cell of each grid position, row by row; space and tab have no key here.
constexpr int kCellOfPosition[CKeyMapDlg::kPositions] = {
    0,  1,  2,  3,  4,  5,  6,  7,  8,  9,      // 1 2 3 4 5 6 7 8 9 0
    26, 32, 14, 27, 29, 34, 30, 18, 24, 25,     // q w e r t y u i o p
    10, 28, 13, 15, 16, 17, 19, 20, 21, kNoKey, // a s d f g h j k l
    35, 33, 12, 31, 11, 23, 22, 36, 37, kNoKey, // z x c v b n m , .
};
// The two lower rows are a key shorter.
constexpr int kShortRowsFrom = 2;
// On the handheld the dialog fills the screen's width, which the grid needs.
constexpr int kScreenWidth = 240;
const QColor kSelectionRed(255, 0, 0);
const char *const kPlaneNames[kKeyMapPlanes] = {"Normal", "Shift/Caps (shf/cap)", "Punctuation (pn)",
                                                "Umlaut (\u00e1\u00fc)", "Umlaut + Shift (\u00e1\u00fc)"};

int RowRight(int row)
{
    const int columns = row < kShortRowsFrom ? CKeyMapDlg::kColumns : CKeyMapDlg::kColumns - 1;
    return CKeyMapDlg::kGridLeft + columns * CKeyMapDlg::kKeySize;
}
}

CKeyMapDlg::CKeyMapDlg(QWidget *parent) : CHeaderDlg(QSize(136, 147), 9, parent)
{
    m_header.SetTitle(QStringLiteral("Set Key Map"));
    setWindowTitle(QStringLiteral("Key Map"));
}

int CKeyMapDlg::CellOfPosition(int position)
{
    return position >= 0 && position < kPositions ? kCellOfPosition[position] : kNoKey;
}

QRect CKeyMapDlg::KeyRect(int position)
{
    const int row = position / kColumns;
    const int column = position % kColumns;
    return QRect(kGridLeft + column * kKeySize, kGridTop + row * kKeySize, kKeySize, kKeySize);
}

int CKeyMapDlg::HitTest(const QPoint &point)
{
    // Division rounds toward zero, so the 19 pixels before the grid's first
    // line belong to its first column and row.
    const int column = (point.x() - kGridLeft) / kKeySize;
    const int row = (point.y() - kGridTop) / kKeySize;
    if (column < 0 || column >= kColumns || row < 0 || row >= kRows)
        return kNoKey;
    const int position = row * kColumns + column;
    return CellOfPosition(position) == kNoKey ? kNoKey : position;
}

void CKeyMapDlg::CreateControls(ControlBuilder &builder)
{
    setFixedSize(std::max(width(), kScreenWidth), height());
    builder.Button(IDCANCEL, QStringLiteral("Cancel"), QRect(94, 0, 40, 14));
    builder.Static(kNameLabelId, QStringLiteral("Key Map Name:"), QRect(4, 17, 62, 9));
    builder.Edit(kNameId, QRect(66, 15, 68, 12));
    builder.Static(kKeyMapForId, QStringLiteral("Key Map for:"), QRect(4, 32, 50, 9));
    QComboBox *planes = builder.ComboBox(kPlaneListId, QRect(54, 30, 80, 14), false);
    for (const char *name : kPlaneNames)
        planes->addItem(QString::fromUtf8(name));
    builder.Static(kLetterLabelId, QStringLiteral("Letter:"), QRect(4, 99, 28, 9));
    builder.Edit(kLetterId, QRect(33, 97, 14, 12))->setMaxLength(1);
    builder.Static(kUnicodeLabelId, QStringLiteral("Unicode:0x"), QRect(50, 99, 44, 9));
    builder.Edit(kUnicodeId, QRect(94, 97, 24, 12));
    builder.Button(kApplyUnicodeId, QStringLiteral("\u00ab"), QRect(120, 97, 14, 12));
    builder.Button(IDOK, QStringLiteral("OK"), QRect(94, 128, 40, 14));
    KeepFieldsOffTheGrid();
    ConnectNotifications();
}

// The grid is laid out in pixels, the fields in units of the dialog's face.
// A face shorter than the handheld's Tahoma (Wine's is) would put the letter
// row over the grid's last row, hiding its keys and taking their taps: the
// row, and OK after it if need be, move down below the grid.
void CKeyMapDlg::KeepFieldsOffTheGrid()
{
    // Moves the controls down as one row so that its top is at least there;
    // gives the row's bottom.
    const auto keepBelow = [this](std::initializer_list<int> ids, int top) {
        QRect row;
        for (const int id : ids)
            row |= GetDlgItem(this, id)->geometry();
        const int down = std::max(0, top - row.top());
        for (const int id : ids)
            GetDlgItem(this, id)->move(GetDlgItem(this, id)->pos() + QPoint(0, down));
        return row.bottom() + down;
    };
    const int letters = keepBelow({kLetterLabelId, kLetterId, kUnicodeLabelId, kUnicodeId, kApplyUnicodeId},
                                  kGridTop + kRows * kKeySize + 2);
    const int ok = keepBelow({IDOK}, letters + 3);
    setFixedSize(width(), std::max(height(), ok + 3));
}

void CKeyMapDlg::ConnectNotifications()
{
    connect(PlaneList(), &QComboBox::activated, this, [this] { OnPlaneChanged(); });
    connect(Edit(kLetterId), &QLineEdit::textChanged, this, [this] { OnLetterChanged(); });
    connect(GetDlgItemAs<QPushButton>(this, kApplyUnicodeId), &QPushButton::clicked, this,
            [this] { OnApplyUnicode(); });
}

bool CKeyMapDlg::OnInitDialog()
{
    m_header.SetTitle(m_bNewMode ? QStringLiteral("New Key Map") : QStringLiteral("Edit Key Map"));
    CHeaderDlg::OnInitDialog();
    if (!m_bNewMode)
        Edit(kNameId)->setEnabled(false);
    m_penSelection = QPen(kSelectionRed, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    SetTextColour(this, {kKeyMapForId, kNameLabelId, kLetterLabelId, kUnicodeLabelId}, kHeaderBlue);
    RefreshFields(m_nSelected);
    return true;
}

void CKeyMapDlg::DoDataExchange(bool save)
{
    DdxListIndex(save, PlaneList(), m_nPlane);
    DdxText(save, Edit(kLetterId), m_strLetter);
    DdxText(save, Edit(kNameId), m_strName);
    DdxText(save, Edit(kUnicodeId), m_strUnicode);
}

char16_t *CKeyMapDlg::SelectedCell() const
{
    const int cell = CellOfPosition(m_nSelected);
    char16_t *plane = m_pKeyMap != nullptr ? m_pKeyMap->Plane(m_nPlane) : nullptr;
    return plane != nullptr && cell != kNoKey ? plane + cell : nullptr;
}

void CKeyMapDlg::RefreshFields(int position)
{
    if (CellOfPosition(position) == kNoKey)
        return;
    UpdateData(true);
    const char16_t *cell = SelectedCell();
    if (cell == nullptr)
        return;
    m_strLetter = QString(QChar(*cell));
    m_strUnicode = QStringLiteral("%1").arg(static_cast<uint>(*cell), 4, 16, QLatin1Char('0')).toUpper();
    m_bRefreshing = true;
    UpdateData(false);
    m_bRefreshing = false;
}

void CKeyMapDlg::StoreCharacter(char16_t ch)
{
    if (char16_t *cell = SelectedCell())
        *cell = ch;
    RefreshFields(m_nSelected);
    update();
}

void CKeyMapDlg::OnPlaneChanged()
{
    RefreshFields(m_nSelected);
    update();
}

void CKeyMapDlg::OnLetterChanged()
{
    if (m_bRefreshing)
        return;
    UpdateData(true);
    // Clearing the field to type the next letter changes nothing.
    if (!m_strLetter.isEmpty())
        StoreCharacter(m_strLetter[0].unicode());
}

void CKeyMapDlg::OnApplyUnicode()
{
    UpdateData(true);
    std::uint32_t value = 0;
    if (!ParseHexNumber(m_strUnicode.toStdU16String(), value)) {
        Platform::MessageBox(QStringLiteral("Please enter a valid unicode value."));
        return;
    }
    StoreCharacter(static_cast<char16_t>(value & 0xFFFF));
}

void CKeyMapDlg::OnOK()
{
    UpdateData(true);
    if (m_bNewMode && !CompleteNewName()) {
        Platform::MessageBox(QStringLiteral("Please enter a valid name for the key map."));
        return;
    }
    CHeaderDlg::OnOK();
}

bool CKeyMapDlg::CompleteNewName()
{
    const std::u16string name = CompleteKeyMapName(m_strName.toStdU16String());
    if (name.empty() || !PrepareKeyMapFile(m_strFolder, name))
        return false;
    m_strName = QString::fromStdU16String(name);
    Edit(kNameId)->setText(m_strName);
    return true;
}

void CKeyMapDlg::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        const int position = HitTest(event->position().toPoint());
        if (position != kNoKey) {
            m_nSelected = position;
            RefreshFields(position);
            update();
        }
    }
    CHeaderDlg::mousePressEvent(event);
}

void CKeyMapDlg::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    HeaderFrame::PaintRule(painter, width());
    PaintGrid(painter);
    if (PlaneList()->currentIndex() >= 0)
        PaintLabels(painter);
    PaintSelection(painter);
}

void CKeyMapDlg::PaintGrid(QPainter &painter) const
{
    painter.setPen(QPen(Qt::black, 0));
    // Lines end a pixel short of their end point, as the handheld's do.
    for (int row = 0; row <= kRows; ++row) {
        const int y = kGridTop + row * kKeySize;
        // A line between two rows is as long as the longer of them.
        painter.drawLine(kGridLeft, y, RowRight(std::max(0, row - 1)) - 1, y);
    }
    for (int column = 0; column <= kColumns; ++column) {
        const int x = kGridLeft + column * kKeySize;
        const int rows = column < kColumns ? kRows : kShortRowsFrom;
        painter.drawLine(x, kGridTop, x, kGridTop + rows * kKeySize - 1);
    }
}

void CKeyMapDlg::PaintLabels(QPainter &painter) const
{
    const char16_t *plane = m_pKeyMap != nullptr ? m_pKeyMap->Plane(PlaneList()->currentIndex()) : nullptr;
    if (plane == nullptr)
        return;
    painter.setFont(font());
    for (int position = 0; position < kPositions; ++position) {
        const int cell = CellOfPosition(position);
        if (cell == kNoKey)
            continue;
        QRect rect = KeyRect(position);
        DrawTextFlags(painter, rect, QString(QChar(plane[cell])), DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

void CKeyMapDlg::PaintSelection(QPainter &painter) const
{
    const QRect key = KeyRect(m_nSelected);
    const int left = key.left();
    const int top = key.top();
    const int right = left + kKeySize;
    const int bottom = top + kKeySize;
    painter.setPen(m_penSelection);
    const QPoint corners[] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top - 1}};
    painter.drawPolyline(corners, 5);
}

QComboBox *CKeyMapDlg::PlaneList() const
{
    return GetDlgItemAs<QComboBox>(this, kPlaneListId);
}

QLineEdit *CKeyMapDlg::Edit(int id) const
{
    return GetDlgItemAs<QLineEdit>(this, id);
}
