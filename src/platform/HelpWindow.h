#pragma once
// HelpWindow: the program's help, compiled-in Turkish HTML with one anchor
// per topic ("t333" the main window, "t102" the register window, ...), shown
// in a browser window that stays open beside the program.
#include "platform/Help.h"

#include <QWidget>

class QTextBrowser;

namespace zelvar {

class HelpWindow : public QWidget, public Help {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    void showTopic(int topic) override;

    static QString anchorOf(int topic) { return QStringLiteral("t%1").arg(topic); }
    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};

} // namespace zelvar
