// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// HelpWindow: the program's help, Turkish HTML with one anchor
// per topic ("t333" the main window, "t102" the register window, ...), shown
// in a browser window that stays open beside the program. The installed page
// (<prefix>/share/zelvar/help/zelvar.html) is read when present, the
// compiled-in one otherwise.
#include "platform/Help.h"

#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace zelvar {

class HelpWindow : public QWidget, public Help {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // page: the help page to show instead of the one found by helpPage().
    explicit HelpWindow(const QUrl& page, QWidget* parent = nullptr);

    // The installed help page when there is one, else the compiled-in page.
    static QUrl helpPage();

    void showTopic(int topic) override;

    static QString anchorOf(int topic) { return QStringLiteral("t%1").arg(topic); }
    QTextBrowser* browser() const { return m_browser; }

private:
    QUrl m_page;
    QTextBrowser* m_browser;
};

} // namespace zelvar
