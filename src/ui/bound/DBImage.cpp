// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/bound/DBImage.h"

#include <QPainter>

namespace zelvar {

DBImage::DBImage(QWidget* parent)
    : QFrame(parent),
      BoundControl(this)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
}

DBImage::DBImage(DataSource* source, const QString& field, QWidget* parent)
    : DBImage(parent)
{
    bind(source, field);
}

void DBImage::setBackgroundColor(const QColor& color)
{
    BoundControl::setBackgroundColor(color);
    update();
}

void DBImage::loadFromField()
{
    const QVariant value = fieldValue();
    // The same picture loaded again is neither decoded nor painted again.
    if (value == m_shownValue && value.isNull() == m_shownValue.isNull())
        return;
    m_shownValue = value;
    m_picture = value.isNull() ? QImage() : QImage::fromData(value.toByteArray());
    update();
}

QRect DBImage::pictureRect() const
{
    if (m_picture.isNull())
        return {};
    const QRect area = contentsRect();
    const QSize size = m_picture.size().scaled(area.size(), Qt::KeepAspectRatio);
    return QRect(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2,
                 size.width(), size.height());
}

void DBImage::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (m_picture.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(pictureRect(), m_picture);
}

} // namespace zelvar
