// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/RegisterWidgets.h"

#include <QLabel>
#include <QRegularExpression>
#include <QToolButton>

namespace zelvar::regui {

QFont pointFont(int points, bool bold)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(points * 96 / 72);
    f.setBold(bold);
    return f;
}

QString plainCaption(const QString& text)
{
    QString plain = text;
    plain.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return plain.trimmed();
}

QLabel* caption(QWidget* parent, const QString& text, const QRect& place, QWidget* buddy)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(place);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (buddy) {
        label->setBuddy(buddy);
        buddy->setAccessibleName(plainCaption(text));
    }
    return label;
}

QToolButton* speedButton(QWidget* parent, const QString& text, const QString& hint, const QRect& place)
{
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(place);
    if (!hint.isEmpty())
        button->setToolTip(hint);
    button->setAccessibleName(plainCaption(text));
    return button;
}

QToolButton* glyphButton(QWidget* parent, const QIcon& icon, const QString& hint, const QRect& place)
{
    auto* button = new QToolButton(parent);
    button->setIcon(icon);
    button->setIconSize(QSize(16, 16));
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(place);
    button->setAutoRaise(false);
    if (!hint.isEmpty())
        button->setToolTip(hint);
    button->setAccessibleName(hint);
    return button;
}

void setColors(QWidget* widget, const QColor& back, const QColor& text)
{
    widget->setAutoFillBackground(true);
    QPalette pal = widget->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Window, back);
        pal.setColor(group, QPalette::Base, back);
        pal.setColor(group, QPalette::WindowText, text);
        pal.setColor(group, QPalette::Text, text);
    }
    widget->setPalette(pal);
}

} // namespace zelvar::regui
