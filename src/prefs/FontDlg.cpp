#include "prefs/FontDlg.h"

#include "platform/TextDraw.h"
#include "dialogs/ControlBuilder.h"
#include "dialogs/DataExchange.h"
#include "dialogs/DialogItems.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPainter>

#include <algorithm>

namespace {
constexpr int kMaxFaceLength = 31;
constexpr int kFallbackSizeEntry = 1;
constexpr int kFallbackSize = 9;
// Beyond this a sample could not be shown on the screen, and the pixel height
// of larger numbers would not fit an int.
constexpr int kLargestSize = 999;
const char *const kSizes[] = {"8", "9", "10", "11", "12", "14", "16", "20", "24", "28", "36"};

enum class Scan { Number, NoNumber, Blank };

// Reads a decimal integer the way "%d" does: leading blanks, a sign, digits.
Scan ScanInteger(const QString &text, int &value)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return Scan::Blank;
    qsizetype end = (trimmed[0] == QLatin1Char('-') || trimmed[0] == QLatin1Char('+')) ? 1 : 0;
    const qsizetype digitsStart = end;
    while (end < trimmed.size() && trimmed[end].isDigit() && end - digitsStart < 10)
        ++end;
    if (end == digitsStart || (end < trimmed.size() && trimmed[end].isDigit()))
        return Scan::NoNumber;
    value = trimmed.left(end).toInt();
    return value >= 1 && value <= kLargestSize ? Scan::Number : Scan::NoNumber;
}
}

CFontDlg::CFontDlg(QWidget *parent) : CHeaderDlg(QSize(143, 137), 9, parent)
{
    m_header.SetTitle(QStringLiteral("Font Dialog"));
    setWindowTitle(QStringLiteral("Fonts"));
}

void CFontDlg::CreateControls(ControlBuilder &builder)
{
    builder.Button(IDCANCEL, QStringLiteral("Cancel"), QRect(94, 0, 40, 14));
    builder.Static(-1, QStringLiteral("Available Fonts:"), QRect(6, 16, 86, 9));
    builder.ComboBox(kFontListId, QRect(6, 26, 88, 14), false);
    builder.Static(-1, QStringLiteral("Size:"), QRect(98, 16, 36, 9));
    builder.ComboBox(kSizeListId, QRect(98, 26, 36, 14), true);
    builder.CheckBox(kBoldId, QStringLiteral("Bold"), QRect(6, 45, 62, 10));
    builder.CheckBox(kItalicId, QStringLiteral("Italic"), QRect(78, 45, 56, 10));
    builder.CheckBox(kStrikeId, QStringLiteral("Strike Through"), QRect(6, 59, 70, 10));
    builder.CheckBox(kUnderlineId, QStringLiteral("Underline"), QRect(78, 59, 56, 10));
    builder.Button(IDOK, QStringLiteral("OK"), QRect(94, 116, 40, 14));
    ConnectNotifications();
}

void CFontDlg::ConnectNotifications()
{
    for (const int id : {kBoldId, kItalicId, kStrikeId, kUnderlineId})
        connect(GetDlgItemAs<QCheckBox>(this, id), &QCheckBox::clicked, this, [this] { UpdateSample(); });
    connect(FontList(), &QComboBox::activated, this, [this] { PostUpdateSample(); });
    connect(SizeList(), &QComboBox::activated, this, [this] { PostUpdateSample(); });
    connect(SizeList()->lineEdit(), &QLineEdit::textEdited, this, [this] { PostUpdateSample(); });
    SizeList()->installEventFilter(this);
    SizeList()->lineEdit()->installEventFilter(this);
}

bool CFontDlg::OnInitDialog()
{
    CHeaderDlg::OnInitDialog();
    FillFamilies();
    FillSizes();
    m_strSizeText = QString::number(m_nSize);
    UpdateData(false);
    UpdateSample();
    return true;
}

void CFontDlg::FillFamilies()
{
    m_families.clear();
    const QStringList reported = m_reportedFamilies.isEmpty() ? QFontDatabase::families() : m_reportedFamilies;
    for (const QString &family : reported) {
        if (m_families.size() == kMaxFamilies)
            break;
        m_families << family.left(kMaxFaceLength);
    }
    KeepCurrentFamily(reported);
    QComboBox *list = FontList();
    list->clear();
    for (const QString &family : m_families) {
        int position = 0;
        while (position < list->count() && list->itemText(position).compare(family, Qt::CaseInsensitive) <= 0)
            ++position;
        list->insertItem(position, family);
    }
    list->setCurrentIndex(list->count() > 0 ? 0 : -1);
}

// A desktop reports far more families than the 24 offered. The face in use,
// reported after them, takes the last place: otherwise the list would show
// another face, and OK (to change only the size, say) would quietly swap the
// user's font for it.
void CFontDlg::KeepCurrentFamily(const QStringList &reported)
{
    const auto isCurrent = [this](const QString &family) {
        return family.left(kMaxFaceLength).compare(m_strFaceName, Qt::CaseInsensitive) == 0;
    };
    if (m_strFaceName.isEmpty() || std::any_of(m_families.begin(), m_families.end(), isCurrent))
        return;
    const auto current = std::find_if(reported.begin(), reported.end(), isCurrent);
    if (current != reported.end())
        m_families.last() = current->left(kMaxFaceLength);
}

void CFontDlg::FillSizes()
{
    for (const char *size : kSizes)
        SizeList()->addItem(QString::fromLatin1(size));
}

void CFontDlg::DoDataExchange(bool save)
{
    DdxComboText(save, SizeList(), m_strSizeText);
    DdxCheck(save, GetDlgItemAs<QCheckBox>(this, kBoldId), m_bBold);
    DdxCheck(save, GetDlgItemAs<QCheckBox>(this, kItalicId), m_bItalic);
    DdxCheck(save, GetDlgItemAs<QCheckBox>(this, kStrikeId), m_bStrike);
    DdxCheck(save, GetDlgItemAs<QCheckBox>(this, kUnderlineId), m_bUnderline);
    DdxComboText(save, FontList(), m_strFaceName);
}

void CFontDlg::ReadSize()
{
    int value = 0;
    switch (ScanInteger(m_strSizeText, value)) {
    case Scan::Number:
        m_nSize = value;
        break;
    case Scan::NoNumber:
        SizeList()->setCurrentIndex(kFallbackSizeEntry);
        m_strSizeText = SizeList()->currentText();
        m_nSize = kFallbackSize;
        break;
    case Scan::Blank:
        break;
    }
}

void CFontDlg::UpdateSample()
{
    UpdateData(true);
    ReadSize();
    m_fontSample.Delete();
    PointFont metrics;
    MakePointFont(metrics, m_strFaceName, m_nSize, false, false, false, false, 0, 0);
    m_lfSample = metrics.Description();
    LogFont sample;
    sample.lfHeight = m_lfSample.lfHeight;
    sample.lfWeight = m_bBold ? 700 : 400;
    sample.lfItalic = m_bItalic != 0;
    sample.lfUnderline = m_bUnderline != 0;
    sample.lfStrikeOut = m_bStrike != 0;
    sample.lfFaceName = m_strFaceName;
    m_fontSample.Create(sample);
    repaint();
}

void CFontDlg::PostUpdateSample()
{
    PostWindowMessage(this, kUpdateSampleMessage);
}

void CFontDlg::customEvent(QEvent *event)
{
    if (static_cast<int>(event->type()) == kUpdateSampleMessage)
        UpdateSample();
    else
        CHeaderDlg::customEvent(event);
}

bool CFontDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && IsCreated())
        PostUpdateSample();
    return CHeaderDlg::eventFilter(watched, event);
}

void CFontDlg::paintEvent(QPaintEvent *event)
{
    CHeaderDlg::paintEvent(event);
    QPainter painter(this);
    const int w = width();
    const int h = height();
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::white);
    painter.drawRect(0, h - 100, w - 1, 49);
    if (m_fontSample.IsNull())
        return;
    painter.setFont(m_fontSample.Font());
    QRect sampleRect(QPoint(10, h - 100), QPoint(w - 11, h - 51));
    DrawTextFlags(painter, sampleRect, QStringLiteral("Sample Text"), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void CFontDlg::done(int result)
{
    CHeaderDlg::done(result);
    m_fontSample.Delete();
}

QComboBox *CFontDlg::SizeList() const
{
    return GetDlgItemAs<QComboBox>(this, kSizeListId);
}

QComboBox *CFontDlg::FontList() const
{
    return GetDlgItemAs<QComboBox>(this, kFontListId);
}
