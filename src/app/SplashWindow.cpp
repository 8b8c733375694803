// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SplashWindow.h"

#include "ui/Artwork.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace zelvar {

SplashWindow::SplashWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setWindowTitle(QStringLiteral("Zelvar 2001"));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0, 0, 64));
    setPalette(pal);
    setAutoFillBackground(true);

    auto* picture = new QLabel(this);
    const QPixmap pix = artwork::splashPicture();
    picture->setPixmap(pix);
    picture->setAccessibleName(QStringLiteral("Zelvar 2001"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(picture);
    setFixedSize(pix.size());
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void SplashWindow::showNow()
{
    show();
    raise();
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void SplashWindow::mousePressEvent(QMouseEvent*)
{
    close();
}

} // namespace zelvar
