// SPDX-License-Identifier: GPL-3.0-or-later
#include "companions/common/DetailsPanel.h"

#include <QTextDocument>

namespace zelvar {

namespace {

QString escaped(const QString& text)
{
    return text.toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<br>"));
}

} // namespace

DetailsPanel::DetailsPanel(const QString& accessibleName, QWidget* parent)
    : QLabel(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAlignment(Qt::AlignTop | Qt::AlignLeft);
    setWordWrap(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setAccessibleName(accessibleName);
}

void DetailsPanel::begin(const QString& heading)
{
    m_html = QStringLiteral("<b>%1</b>").arg(escaped(heading));
}

void DetailsPanel::addLine(const QString& caption, const QString& value)
{
    if (!value.trimmed().isEmpty())
        m_html += QStringLiteral("<br><b>%1:</b> %2").arg(caption, escaped(value.trimmed()));
}

void DetailsPanel::addWarning(const QString& text)
{
    m_html += QStringLiteral("<br><span style=\"color:#a00000\">%1</span>").arg(escaped(text));
}

void DetailsPanel::finish()
{
    setText(m_html);
}

QString DetailsPanel::plainText() const
{
    QTextDocument doc;
    doc.setHtml(text());
    return doc.toPlainText();
}

} // namespace zelvar
