// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PleaseWaitWindow.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>

namespace zelvar {

PleaseWaitWindow::PleaseWaitWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("Zelvar 2001"));
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(panel);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(8, 4, 4, 4);
    auto* texts = new QVBoxLayout;
    texts->addWidget(new QLabel(QStringLiteral("Lütfen Bekleyiniz..."), panel));
    m_count = new QLabel(panel);
    m_count->hide();
    texts->addWidget(m_count);
    row->addLayout(texts);
    m_animation = new SearchAnimation(panel);
    row->addWidget(m_animation);
    m_cancel = new QPushButton(QStringLiteral("İptal"), panel);
    m_cancel->hide();
    texts->addWidget(m_cancel);
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        m_cancel->setEnabled(false);
        emit cancelRequested();
    });
    // As small as the old window, and wide enough for its text in the
    // fonts of this desktop.
    setFixedSize(std::max(162, sizeHint().width()), 56);
}

void PleaseWaitWindow::offerCancel()
{
    m_cancel->show();
    setFixedSize(width(), std::max(84, sizeHint().height()));
    m_cancel->setDefault(true);
}

void PleaseWaitWindow::showNow()
{
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    raise();
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void PleaseWaitWindow::showCount(int rows)
{
    m_count->setText(QString::number(rows));
    m_count->show();
    m_count->repaint();
}

QString PleaseWaitWindow::countText() const
{
    return m_count->text();
}

SearchAnimation::SearchAnimation(QWidget* parent)
    : QWidget(parent),
      m_timer(new QTimer(this))
{
    setFixedSize(48, 45);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_frame = (m_frame + 1) % 8;
        update();
    });
    m_timer->start(120);
}

void SearchAnimation::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // A small screen.
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(0, 0, 64));
    p.drawRect(4, 6, 30, 22);
    p.setBrush(Qt::gray);
    p.drawRect(14, 28, 10, 4);
    p.drawRect(8, 32, 22, 3);
    // The magnifier sweeps in a small circle over it.
    const double angle = m_frame * M_PI / 4;
    const QPointF centre(26 + 8 * qCos(angle), 20 + 6 * qSin(angle));
    p.setPen(QPen(QColor(120, 80, 20), 3));
    p.drawLine(centre + QPointF(5, 5), centre + QPointF(11, 11));
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(200, 230, 255, 180));
    p.drawEllipse(centre, 7, 7);
}

} // namespace zelvar
