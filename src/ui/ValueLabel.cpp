// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ValueLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace zelvar {

namespace {

// The panel as a screen reader sees it: named by its caption, valued by what
// it shows, and readable as text. Screen readers on Linux (through AT-SPI)
// read a static text's value only through its text interface, and hear a
// change of the value as a change of that text.
class ValueLabelAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ValueLabelAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::StaticText)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return widget()->accessibleName().isEmpty() ? shown() : widget()->accessibleName();
        case QAccessible::Value:
            return shown();
        default:
            return QAccessibleWidget::text(t);
        }
    }

    // --- the text interface: the shown value, read-only, without a caret
    QString text(int startOffset, int endOffset) const override
    {
        return shown().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(shown().size()); }
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    QString shown() const { return static_cast<const QLabel*>(widget())->text(); }
};

QAccessibleInterface* valueLabelFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("zelvar::ValueLabel") && object && object->isWidgetType())
        return new ValueLabelAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

ValueLabel::ValueLabel(QWidget* parent)
    : QLabel(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(valueLabelFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void ValueLabel::setText(const QString& text)
{
    const QString old = QLabel::text();
    if (text == old)
        return;
    QLabel::setText(text);
    // Announced both ways: as the new value, and as the text replaced.
    QAccessibleValueChangeEvent value(this, text);
    QAccessible::updateAccessibility(&value);
    QAccessibleTextUpdateEvent replaced(this, 0, old, text);
    QAccessible::updateAccessibility(&replaced);
}

} // namespace zelvar
