#include "platform/MessageBoxDlg.h"

#include "platform/ScreenFit.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

CMessageBoxDlg::CMessageBoxDlg(const QString &text, const QString &title, bool bQuestion, QWidget *parent)
    : QDialog(parent), m_bQuestion(bQuestion)
{
    setWindowTitle(title);
    CreateControls(text);
}

void CMessageBoxDlg::CreateControls(const QString &text)
{
    auto *layout = new QVBoxLayout(this);
    m_pText = new QTextEdit(this);
    m_pText->setPlainText(text);
    m_pText->setReadOnly(true);
    m_pText->setFrameShape(QFrame::NoFrame);
    // Paths have no spaces to break at: they break anywhere rather than
    // widen the box beyond the screen.
    m_pText->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_pText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pText->setFocusPolicy(Qt::NoFocus);
    QPalette palette = m_pText->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    m_pText->setPalette(palette);
    layout->addWidget(m_pText);

    m_pButtons = new QDialogButtonBox(m_bQuestion ? QDialogButtonBox::Yes | QDialogButtonBox::No
                                                  : QDialogButtonBox::Ok,
                                      this);
    m_pButtons->button(m_bQuestion ? QDialogButtonBox::No : QDialogButtonBox::Ok)->setDefault(true);
    connect(m_pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(m_pButtons);
}

void CMessageBoxDlg::FitInto(const QRect &area)
{
    const QRect inside = RoomForContents(*this, area);
    const QMargins margins = layout()->contentsMargins();
    const int nChromeWidth = margins.left() + margins.right();
    const int nChromeHeight = margins.top() + margins.bottom() + layout()->spacing() + m_pButtons->sizeHint().height();
    QTextDocument *document = m_pText->document();
    const QFontMetrics metrics(m_pText->font());
    int nLongest = 0;
    for (const QString &line : document->toPlainText().split(QLatin1Char('\n')))
        nLongest = std::max(nLongest, metrics.horizontalAdvance(line));
    const int nIdeal = nLongest + static_cast<int>(std::ceil(2 * document->documentMargin())) + 2;
    const int nMost = std::max(inside.width() - nChromeWidth, 1);
    const int nTextWidth = std::clamp(std::max(nIdeal, m_pButtons->sizeHint().width()), 1, nMost);
    // The edit lays its own document out only once shown: a copy is measured.
    QTextDocument probe;
    probe.setDefaultFont(m_pText->font());
    probe.setDefaultTextOption(document->defaultTextOption());
    probe.setDocumentMargin(document->documentMargin());
    probe.setPlainText(document->toPlainText());
    probe.setTextWidth(nTextWidth);
    const int nTextHeight = static_cast<int>(std::ceil(probe.size().height()));
    m_pText->setFixedSize(nTextWidth, std::clamp(nTextHeight, 1, std::max(inside.height() - nChromeHeight, 1)));
    layout()->activate();
    const QSize size(std::min(layout()->sizeHint().width(), inside.width()),
                     std::min(layout()->sizeHint().height(), inside.height()));
    setFixedSize(size);
    CentreIn(*this, area, size);
}

void CMessageBoxDlg::keyPressEvent(QKeyEvent *event)
{
    if (m_bQuestion && event->modifiers() == Qt::NoModifier && event->key() == Qt::Key_Y)
        accept();
    else if (m_bQuestion && event->modifiers() == Qt::NoModifier && event->key() == Qt::Key_N)
        reject();
    else
        QDialog::keyPressEvent(event);
}
