// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LoginWindow.h"

#include "data/PasswordHash.h"
#include "ui/DrawnPicture.h"
#include "ui/ScrollingStrip.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>

namespace zelvar {

namespace passwordwindow {

QLineEdit* makePasswordBox(QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setEchoMode(QLineEdit::Password);
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(16);
    box->setFont(font);
    box->setStyleSheet(QStringLiteral("QLineEdit { background: rgb(0, 0, 64); color: rgb(198, 198, 255);"
                                      " selection-background-color: rgb(198, 198, 255);"
                                      " selection-color: rgb(0, 0, 64);"
                                      " border: 2px inset rgb(128, 128, 160);"
                                      " lineedit-password-character: 42; }"));
    return box;
}

QFrame* makeRaisedPanel(QWidget* parent, const QRect& geometry)
{
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    panel->setGeometry(geometry);
    return panel;
}

QFrame* makePicturePanel(QWidget* parent, const QRect& geometry, const QPixmap& picture)
{
    QFrame* panel = makeRaisedPanel(parent, geometry);
    auto* label = new QLabel(panel);
    label->setPixmap(picture);
    label->setScaledContents(true);
    label->setGeometry(panel->contentsRect().adjusted(1, 1, -1, -1));
    return panel;
}

ScrollingStrip* makeStrip(QWidget* parent, const QRect& geometry)
{
    auto* strip = new ScrollingStrip(
        {QStringLiteral("Zelvar 2001 - Muhtarlık Bilgi Bankası"), QStringLiteral("Şifrenizi kimseyle paylaşmayınız"),
         QStringLiteral("Şifre büyük ve küçük harfe duyarlıdır"), QStringLiteral("İyi çalışmalar dileriz")},
        parent);
    strip->setGeometry(geometry);
    return strip;
}

namespace {

// Both window pictures fill their side panel.
const QSize kPictureSize(90, 120);

// A night-blue ground with a soft light at the top.
void paintGround(QPainter& p, const QSize& size)
{
    QLinearGradient ground(0, 0, 0, size.height());
    ground.setColorAt(0, QColor(40, 60, 140));
    ground.setColorAt(1, QColor(0, 0, 48));
    p.fillRect(QRect(QPoint(0, 0), size), ground);
    QRadialGradient glow(size.width() / 2.0, size.height() * 0.35, size.width() * 0.7);
    glow.setColorAt(0, QColor(198, 198, 255, 90));
    glow.setColorAt(1, QColor(198, 198, 255, 0));
    p.fillRect(QRect(QPoint(0, 0), size), glow);
}

QLinearGradient brass(const QRectF& r)
{
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, QColor(255, 230, 140));
    g.setColorAt(0.5, QColor(218, 165, 32));
    g.setColorAt(1, QColor(150, 100, 10));
    return g;
}

} // namespace

QPixmap padlockPicture()
{
    return drawnPicture(kPictureSize, [](QPainter& p) {
        paintGround(p, kPictureSize);
        // Shackle.
        p.setPen(QPen(QColor(200, 200, 215), 7, Qt::SolidLine, Qt::FlatCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(27, 22, 36, 44), 0, 180 * 16);
        p.drawLine(QPointF(27, 44), QPointF(27, 58));
        p.drawLine(QPointF(63, 44), QPointF(63, 58));
        // Body.
        const QRectF body(17, 56, 56, 44);
        p.setPen(QPen(QColor(110, 70, 0), 1.5));
        p.setBrush(brass(body));
        p.drawRoundedRect(body, 6, 6);
        // Keyhole.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 20, 0));
        p.drawEllipse(QPointF(45, 73), 5, 5);
        p.drawPolygon(QPolygonF({QPointF(42, 75), QPointF(48, 75), QPointF(50, 90), QPointF(40, 90)}));
    });
}

QPixmap keyPicture()
{
    return drawnPicture(kPictureSize, [](QPainter& p) {
        paintGround(p, kPictureSize);
        p.translate(45, 60);
        p.rotate(-55);
        const QRectF shaft(-4, -4, 58, 8);
        QPainterPath key;
        key.addEllipse(QPointF(-20, 0), 17, 17);
        key.addRect(shaft);
        key.addRect(QRectF(36, 4, 6, 12));
        key.addRect(QRectF(46, 4, 6, 9));
        QPainterPath hole;
        hole.addEllipse(QPointF(-24, 0), 6, 6);
        p.setPen(QPen(QColor(110, 70, 0), 1.5));
        p.setBrush(brass(QRectF(-37, -17, 90, 34)));
        p.drawPath(key.simplified().subtracted(hole));
    });
}

QIcon okIcon()
{
    return drawnIcon(16, [](QPainter& p) {
        p.setPen(QPen(QColor(0, 128, 0), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(2.5, 8.5), QPointF(6.5, 12.5), QPointF(13.5, 3.5)}));
    });
}

void centreOnScreen(QWidget* window)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen)
        window->move(screen->availableGeometry().center() - window->rect().center());
}

} // namespace passwordwindow

using namespace passwordwindow;

LoginWindow::LoginWindow(TDM2& dm, const Services& services, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint),
      m_dm(dm),
      m_services(services)
{
    setWindowTitle(QStringLiteral("Şifreniz ?"));
    setFixedSize(249, 148);

    makePicturePanel(this, QRect(0, 0, 93, 123), padlockPicture());
    QFrame* right = makeRaisedPanel(this, QRect(93, 0, 156, 123));
    auto* framed = new QFrame(right);
    framed->setFrameStyle(QFrame::Box | QFrame::Sunken);
    framed->setGeometry(8, 8, 140, 50);
    m_box = makePasswordBox(framed);
    m_box->setGeometry(8, 10, 124, 30);
    m_box->setAccessibleName(windowTitle());

    const auto flatButton = [right](const QString& text, int x) {
        auto* button = new QPushButton(text, right);
        button->setFlat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        button->setGeometry(x, 70, 68, 40);
        return button;
    };
    m_ok = flatButton(QStringLiteral("&Tamam"), 8);
    m_cancel = flatButton(QStringLiteral("&Vazgeç"), 80);
    connectCommand(m_services.errors, m_ok, &QPushButton::clicked, this, &LoginWindow::accept);
    connectCommand(m_services.errors, m_cancel, &QPushButton::clicked, this, &LoginWindow::cancel);

    m_strip = makeStrip(this, QRect(0, 123, 249, 25));

    // The window sees every key before its controls do.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    m_box->setFocus();
}

bool LoginWindow::run(TDM2& dm, const Services& services, QWidget* parent)
{
    LoginWindow window(dm, services, parent);
    window.exec();
    return window.outcome() == Outcome::Accepted;
}

void LoginWindow::typePassword(const QString& text)
{
    m_box->setText(text);
}

QString LoginWindow::storedPassword() const
{
    // The password lives in the first row; an empty table has none.
    Dataset* table = m_dm.tbsifre;
    if (!table->isActive())
        table->open();
    if (table->rowCount() == 0)
        return QString();
    return table->displayTextAt(0, table->fieldIndex(QStringLiteral("sifre")));
}

void LoginWindow::accept()
{
    if (m_outcome != Outcome::Waiting)
        return;
    if (PasswordHash::verify(m_box->text(), storedPassword())) {
        m_outcome = Outcome::Accepted;
        QDialog::accept();
        return;
    }
    m_services.sound.beep();
    m_services.prompter.message(QStringLiteral("Üzgünüm Şifre Yanlış !"));
    endProgram();
}

void LoginWindow::cancel()
{
    endProgram();
}

void LoginWindow::endProgram()
{
    m_outcome = Outcome::EndProgram;
    done(QDialog::Rejected);
}

bool LoginWindow::handleKey(QObject* watched, QKeyEvent* key)
{
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (key->key() == Qt::Key_F4 && modifiers == Qt::AltModifier) {
        endProgram();
        return true;
    }
    if (key->key() == Qt::Key_F4 && (modifiers & Qt::AltModifier))
        return true; // Alt+F4 with any other modifier does nothing
    if (key->key() == Qt::Key_Escape)
        return true;
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && watched == m_box) {
        accept();
        return true;
    }
    return false;
}

bool LoginWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && handleKey(watched, static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void LoginWindow::keyPressEvent(QKeyEvent* event)
{
    if (!handleKey(this, event))
        QDialog::keyPressEvent(event);
}

void LoginWindow::closeEvent(QCloseEvent* event)
{
    // The window has no close box; a close request from the desktop
    // (Alt+F4 caught by the window manager) ends the program.
    if (m_outcome == Outcome::Waiting)
        m_outcome = Outcome::EndProgram;
    QDialog::closeEvent(event);
}

void LoginWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOnScreen(this);
}

} // namespace zelvar
