// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// DetailsPanel: the panel beside a companion's list that shows every field
// of the chosen record: a bold heading, then "Caption: value" lines, empty
// fields left out. The text can be selected and copied.
#include "companions/common/TextParts.h"

#include <QLabel>

namespace zelvar {

class DetailsPanel : public QLabel {
    Q_OBJECT
public:
    DetailsPanel(const QString& accessibleName, QWidget* parent = nullptr);

    // Starts a record's details; clear() shows none.
    void begin(const QString& heading);
    void addLine(const QString& caption, const QString& value);
    // A line of its own, in the warning colour.
    void addWarning(const QString& text);
    void finish();

    // What the panel shows, as plain text.
    QString plainText() const;

private:
    QString m_html;
};

} // namespace zelvar
