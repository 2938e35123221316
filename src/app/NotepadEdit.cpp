#include "app/NotepadEdit.h"

#include "app/QuorlexView.h"
#include "platform/Utf16Text.h"

#include <QKeyEvent>
#include <QMimeData>

#include <algorithm>

namespace {
bool IsSeparator(QChar ch)
{
    return ch.unicode() == u'\u2029' || ch.unicode() == u'\u2028';
}
}

CNotepadEdit::CNotepadEdit(CQuorlexView *view)
    : QPlainTextEdit(view), m_pView(view)
{
    setFrameShape(QFrame::NoFrame);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

std::u16string CNotepadEdit::FlatText(const QString &raw)
{
    std::u16string flat;
    flat.reserve(static_cast<std::size_t>(raw.size() + std::count_if(raw.begin(), raw.end(), IsSeparator)));
    for (const QChar ch : raw) {
        if (IsSeparator(ch))
            flat += u"\r\n";
        else
            flat += ch.unicode();
    }
    return flat;
}

std::u16string CNotepadEdit::SelectedFlatText() const
{
    return FlatText(textCursor().selectedText());
}

void CNotepadEdit::keyPressEvent(QKeyEvent *event)
{
    if (!m_pView->OnNotepadKey(event))
        QPlainTextEdit::keyPressEvent(event);
}

QMimeData *CNotepadEdit::createMimeDataFromSelection() const
{
    auto *data = new QMimeData;
    data->setText(QStringOfUnits(SelectedFlatText()));
    return data;
}
