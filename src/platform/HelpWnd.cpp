#include "platform/HelpWnd.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

CHelpWnd::CHelpWnd(QWidget *pParent)
    : QWidget(pParent, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Quorlex Help"));
    setFixedSize(kWidth, kHeight);
    m_pBrowser = new QTextBrowser(this);
    // A web link goes to the desktop's browser where there is one; the
    // page itself never needs one.
    m_pBrowser->setOpenExternalLinks(true);
    auto *buttons = new QHBoxLayout;
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(m_pBrowser);
    layout->addLayout(buttons);
    m_pBack = AddButton(QStringLiteral("Back"));
    m_pContents = AddButton(QStringLiteral("Contents"));
    m_pClose = AddButton(QStringLiteral("Close"));
    for (QPushButton *button : {m_pBack, m_pContents, m_pClose})
        buttons->addWidget(button);
    m_pBack->setEnabled(false);
    connect(m_pBrowser, &QTextBrowser::backwardAvailable, m_pBack, &QPushButton::setEnabled);
    connect(m_pBack, &QPushButton::clicked, m_pBrowser, &QTextBrowser::backward);
    connect(m_pContents, &QPushButton::clicked, m_pBrowser, &QTextBrowser::home);
    connect(m_pClose, &QPushButton::clicked, this, &QWidget::close);
}

QPushButton *CHelpWnd::AddButton(const QString &text)
{
    auto *button = new QPushButton(text, this);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void CHelpWnd::ShowPage(const QUrl &page)
{
    if (page.isLocalFile() && !QFileInfo::exists(page.toLocalFile()))
        m_pBrowser->setHtml(QStringLiteral("<p>The help file %1 is missing.</p>").arg(page.toLocalFile().toHtmlEscaped()));
    else
        m_pBrowser->setSource(page);
}
