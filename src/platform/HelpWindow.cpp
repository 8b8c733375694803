// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/HelpWindow.h"

#include "platform/InstallLayout.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace zelvar {

HelpWindow::HelpWindow(QWidget* parent)
    : HelpWindow(helpPage(), parent)
{
}

QUrl HelpWindow::helpPage()
{
    // The installed page comes first so that the help can be corrected
    // without a new build; the compiled-in one is always there.
    const QString installed = InstallLayout().findData(QStringLiteral("help/zelvar.html"));
    return installed.isEmpty() ? QUrl(QStringLiteral("qrc:/help/zelvar.html")) : QUrl::fromLocalFile(installed);
}

HelpWindow::HelpWindow(const QUrl& page, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_page(page),
      m_browser(new QTextBrowser(this))
{
    setWindowTitle(QStringLiteral("Zelvar 2001 - Yardım"));
    m_browser->setAccessibleName(windowTitle());
    m_browser->setOpenExternalLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(620, 520);
}

void HelpWindow::showTopic(int topic)
{
    QUrl url = m_page;
    url.setFragment(anchorOf(topic));
    m_browser->setSource(url);
    m_browser->scrollToAnchor(anchorOf(topic));
    show();
    raise();
    activateWindow();
}

} // namespace zelvar
