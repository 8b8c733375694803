// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small helpers the register window's pages are built with: captions,
// speed buttons, glyph buttons and coloured panels at fixed places.
#include <QColor>
#include <QFont>
#include <QIcon>
#include <QRect>
#include <QString>

class QLabel;
class QToolButton;
class QWidget;

namespace zelvar::regui {

// The window's type in points, at the screen's 96 dots per inch.
QFont pointFont(int points, bool bold = false);

// A caption; with a buddy, the caption is also the buddy's accessible name
// and its Alt accelerator moves the focus there.
QLabel* caption(QWidget* parent, const QString& text, const QRect& place, QWidget* buddy = nullptr);

// A button that takes no focus, as the speed buttons of the old window:
// with text, or with only a picture and its hint.
QToolButton* speedButton(QWidget* parent, const QString& text, const QString& hint, const QRect& place);
QToolButton* glyphButton(QWidget* parent, const QIcon& icon, const QString& hint, const QRect& place);

// Background and text colours of a panel or box.
void setColors(QWidget* widget, const QColor& back, const QColor& text);

// The caption without its accelerator mark.
QString plainCaption(const QString& text);

} // namespace zelvar::regui
