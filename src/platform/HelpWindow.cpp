#include "platform/HelpWindow.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace zelvar {

namespace {
const QUrl kHelpPage(QStringLiteral("qrc:/help/zelvar.html"));
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this))
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
    QUrl url = kHelpPage;
    url.setFragment(anchorOf(topic));
    m_browser->setSource(url);
    m_browser->scrollToAnchor(anchorOf(topic));
    show();
    raise();
    activateWindow();
}

} // namespace zelvar
