#include "ui/ValueLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace zelvar {

namespace {

// The panel as a screen reader sees it: named by its caption, valued by
// what it shows.
class ValueLabelAccessible : public QAccessibleWidget {
public:
    explicit ValueLabelAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        const QString shown = static_cast<const QLabel*>(widget())->text();
        switch (t) {
        case QAccessible::Name:
            return widget()->accessibleName().isEmpty() ? shown : widget()->accessibleName();
        case QAccessible::Value:
            return shown;
        default:
            return QAccessibleWidget::text(t);
        }
    }
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
    if (text == QLabel::text())
        return;
    QLabel::setText(text);
    QAccessibleValueChangeEvent event(this, text);
    QAccessible::updateAccessibility(&event);
}

} // namespace zelvar
