// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// DBImage: a picture box showing a picture stored in a blob field, scaled to
// fit the box with its proportions kept and centred. Read-only; empty when
// there is no row or the field holds no picture.
#include "ui/bound/BoundControl.h"

#include <QFrame>
#include <QImage>

namespace zelvar {

class DBImage : public QFrame, public BoundControl {
    Q_OBJECT
public:
    explicit DBImage(QWidget* parent = nullptr);
    DBImage(DataSource* source, const QString& field, QWidget* parent = nullptr);

    QImage picture() const { return m_picture; }
    bool hasPicture() const { return !m_picture.isNull(); }
    // Where the picture is drawn inside the box.
    QRect pictureRect() const;

    void setBackgroundColor(const QColor& color) override;

protected:
    void loadFromField() override;
    void writeToField() override {}
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    QVariant m_shownValue; // the stored picture m_picture was made from
};

} // namespace zelvar
