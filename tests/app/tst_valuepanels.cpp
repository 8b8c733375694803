// SPDX-License-Identifier: GPL-3.0-or-later
// Panels that show a value. Each count and total is wide enough for its
// largest value (a register of a million residents).
//
// What a screen reader on Linux hears, read through the AT-SPI bus itself:
// the panels that show a value (the status clock, the hint, the register's
// record count and current name, the statistics counts) give their value as
// text and announce each change; text put into a drop-down box through the
// bus is stored like typed text.
//
// The test starts a private accessibility bus (dbus-daemon with at-spi2-core's
// configuration) and the AT-SPI registry, and joins the program's windows to
// it through Qt's own AT-SPI bridge, the one the desktop platform makes (the
// offscreen platform of the tests makes none). A second connection plays the
// screen reader: it walks the tree, reads texts and listens for events.
#include "DataFixture.h"
#include "TestRegistry.h"
#include "app/MainWindow.h"
#include "data/FieldDefs.h"
#include "documents/PrintedForms.h"
#include "platform/fakes/FakeServices.h"
#include "query/TSorgufrm.h"
#include "register/RegisterMemory.h"
#include "register/TForm2.h"
#include "reports/NameListColumns.h"
#include "reports/TAdres.h"
#include "ui/CountWidth.h"
#include "ui/ValueLabel.h"

#include <QComboBox>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#ifdef ZELVAR_ATSPI_BRIDGE
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/private/qspiaccessiblebridge_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#endif

using namespace zelvar;
using zelvar::testing::DataFixture;

namespace {

// An object on the bus: its owner's name and its path.
struct ObjectRef {
    QString service;
    QDBusObjectPath path;
};

QDBusArgument& operator<<(QDBusArgument& out, const ObjectRef& ref)
{
    out.beginStructure();
    out << ref.service << ref.path;
    out.endStructure();
    return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, ObjectRef& ref)
{
    in.beginStructure();
    in >> ref.service >> ref.path;
    in.endStructure();
    return in;
}

const QString kAccessible = QStringLiteral("org.a11y.atspi.Accessible");
const QString kRoot = QStringLiteral("/org/a11y/atspi/accessible/root");

} // namespace

Q_DECLARE_METATYPE(ObjectRef)

namespace {

// One "object:text-changed" event: what was inserted or deleted, and where.
struct TextEvent {
    QString path;
    QString kind; // "insert" or "delete"
    QString text;
};

#ifdef ZELVAR_ATSPI_BRIDGE
QSpiAccessibleBridge* g_bridge = nullptr;
#endif

} // namespace

// The private bus, the registry, the program's bridge and the screen reader's
// connection.
class AtspiBus : public QObject {
    Q_OBJECT
public:
    // Empty when the bus is up; else why it cannot be.
    QString start()
    {
#ifndef ZELVAR_ATSPI_BRIDGE
        return QStringLiteral("built without Qt's AT-SPI bridge (Debian qt6-base-private-dev) or Qt D-Bus");
#else
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        const QString registry =
            QStandardPaths::findExecutable(QStringLiteral("at-spi2-registryd"),
                                           {QStringLiteral("/usr/libexec"), QStringLiteral("/usr/lib/at-spi2-core")});
        const QString config = QStringLiteral("/usr/share/defaults/at-spi2/accessibility.conf");
        if (daemon.isEmpty() || registry.isEmpty() || !QFileInfo::exists(config))
            return QStringLiteral("dbus-daemon and at-spi2-core (its registry and bus configuration) are needed");
        m_bus.start(daemon, {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                             QStringLiteral("--print-address")});
        if (!m_bus.waitForReadyRead(10000))
            return QStringLiteral("the accessibility bus did not start");
        const QString address = QString::fromUtf8(m_bus.readLine()).trimmed();
        qputenv("AT_SPI_BUS_ADDRESS", address.toUtf8());
        m_registry.start(registry, {});
        m_client = QDBusConnection::connectToBus(address, QStringLiteral("zelvar-screen-reader"));
        if (!m_client.isConnected())
            return QStringLiteral("the screen reader's connection failed");
        for (int i = 0; i < 100 && !hasOwner(QStringLiteral("org.a11y.atspi.Registry")); ++i)
            QTest::qWait(50);
        if (!hasOwner(QStringLiteral("org.a11y.atspi.Registry")))
            return QStringLiteral("the AT-SPI registry did not start");
        // A screen reader asks for the events it wants; the bridge sends no others.
        call(QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("/org/a11y/atspi/registry"),
             QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("RegisterEvent"),
             {QStringLiteral("object:text-changed")});

        g_bridge = new QSpiAccessibleBridge();
        QAccessible::installUpdateHandler([](QAccessibleEvent* event) { g_bridge->notifyAccessibilityUpdate(event); });
        g_bridge->enabledChanged(true);
        // The platform says whether a screen reader listens (events are only
        // sent when one does); the offscreen platform's stand-in is told so.
        QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility();
        if (!platform)
            return QStringLiteral("the platform has no accessibility");
        platform->setActive(true);
        m_app = g_bridge->dBusConnection().baseService();
        if (m_app.isEmpty())
            return QStringLiteral("Qt's bridge did not join the bus");
        m_client.connect(QString(), QString(), QStringLiteral("org.a11y.atspi.Event.Object"),
                         QStringLiteral("TextChanged"), this, SLOT(textChanged(QDBusMessage)));
        return {};
#endif
    }

    ~AtspiBus() override
    {
#ifdef ZELVAR_ATSPI_BRIDGE
        if (QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility())
            platform->setActive(false);
        QAccessible::installUpdateHandler(nullptr);
        delete g_bridge;
        g_bridge = nullptr;
#endif
        QDBusConnection::disconnectFromBus(QStringLiteral("zelvar-screen-reader"));
        for (QProcess* p : {&m_registry, &m_bus}) {
            p->terminate();
            p->waitForFinished(3000);
        }
    }

    // A method call on the bus, answered while the program's event loop runs.
    QDBusMessage call(const QString& service, const QString& path, const QString& interface, const QString& method,
                      const QVariantList& arguments = {})
    {
        QDBusMessage m = QDBusMessage::createMethodCall(service, path, interface, method);
        m.setArguments(arguments);
        QDBusPendingCallWatcher watcher(m_client.asyncCall(m, 10000));
        QEventLoop loop;
        connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, &QEventLoop::quit);
        if (!watcher.isFinished())
            loop.exec();
        return watcher.reply();
    }

    QVariant property(const QString& path, const QString& interface, const QString& name)
    {
        const QDBusMessage reply = call(m_app, path, QStringLiteral("org.freedesktop.DBus.Properties"),
                                        QStringLiteral("Get"), {interface, name});
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }

    // The widget's object on the bus, at the path Qt's bridge gives it.
    static QString path(QWidget* widget)
    {
        const QAccessible::Id id = QAccessible::uniqueId(QAccessible::queryAccessibleInterface(widget));
        return QStringLiteral("/org/a11y/atspi/accessible/") + QString::number(id);
    }

    // The object's name as the screen reader hears it.
    QString name(const QString& path)
    {
        return property(path, kAccessible, QStringLiteral("Name")).toString();
    }

    // The objects the screen reader finds under this one.
    QStringList children(const QString& path)
    {
        QStringList paths;
        const QDBusMessage reply = call(m_app, path, kAccessible, QStringLiteral("GetChildren"));
        for (const ObjectRef& child : qdbus_cast<QList<ObjectRef>>(reply.arguments().value(0)))
            paths << child.path.path();
        return paths;
    }

    // What the object's text interface gives; a null string when it has none.
    QString text(const QString& path)
    {
        const QDBusMessage reply =
            call(m_app, path, QStringLiteral("org.a11y.atspi.Text"), QStringLiteral("GetText"), {0, -1});
        return reply.type() == QDBusMessage::ReplyMessage ? reply.arguments().value(0).toString() : QString();
    }

    QString app() const
    {
        return m_app;
    }

    bool setText(const QString& path, const QString& text)
    {
        const QDBusMessage reply =
            call(m_app, path, QStringLiteral("org.a11y.atspi.EditableText"), QStringLiteral("SetTextContents"), {text});
        return reply.arguments().value(0).toBool();
    }

    // Whether the object announced that it came to show `text`.
    bool announced(const QString& path, const QString& text) const
    {
        for (const TextEvent& e : m_events)
            if (e.path == path && e.kind == QLatin1String("insert") && e.text == text)
                return true;
        return false;
    }

private slots:
    void textChanged(const QDBusMessage& message)
    {
        const QVariantList args = message.arguments();
        m_events << TextEvent{message.path(), args.value(0).toString(),
                              args.value(3).value<QDBusVariant>().variant().toString()};
    }

private:
    bool hasOwner(const QString& name)
    {
        return call(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                    QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"), {name})
            .arguments()
            .value(0)
            .toBool();
    }

    QProcess m_bus;
    QProcess m_registry;
    QDBusConnection m_client{QString()};
    QString m_app;
    QList<TextEvent> m_events;
};

namespace {

// The label or line box of a window with this accessible name.
template <typename Box>
Box* named(QWidget& window, const QString& name)
{
    for (Box* box : window.findChildren<Box*>())
        if (box->accessibleName() == name)
            return box;
    return nullptr;
}

// Whether the label shows the text whole, as its own size hint tells.
bool labelHolds(QLabel* label, const QString& text)
{
    if (!label)
        return false;
    label->setText(text);
    return label->sizeHint().width() <= label->width();
}

// Whether the line box shows the text whole: with the caret at its end, the
// text's start is not scrolled out of sight.
bool boxHolds(QLineEdit* box, const QString& text)
{
    if (!box)
        return false;
    box->setText(text);
    box->end(false);
    const QRect caret = box->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const int start = caret.center().x() - box->fontMetrics().horizontalAdvance(text);
    return start >= 0 && caret.right() <= box->width();
}

} // namespace

class ValuePanelsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        qDBusRegisterMetaType<ObjectRef>();
        qDBusRegisterMetaType<QList<ObjectRef>>();
        m_noBus = m_bus.start();
    }

    void countsHaveRoomForAMillionResidents()
    {
        DataFixture f;
        FakeServices s;
        const QString million = QString::number(kLargestRegister);
        const QString count = QStringLiteral("Kayıt Sayısı = ") + million;

        TAdres statistics(f.dm(), s.services);
        statistics.show();
        QVERIFY(labelHolds(named<QLabel>(statistics, QStringLiteral("Kayıt Sayısı")), count));
        QVERIFY(
            labelHolds(named<QLabel>(statistics, QStringLiteral("Alan Uzunluğu")), FieldLengthTotal::largestLabel()));
        QVERIFY(labelHolds(named<QLabel>(statistics, QStringLiteral("Alan Sayısı =")),
                           QStringLiteral("Alan Sayısı = 2000")));
        for (const QString& name : headcountLabels() + ageBracketLabels())
            QVERIFY2(labelHolds(named<QLabel>(statistics, name), million), qPrintable(name));
        // The count and the total never cover each other.
        QVERIFY(!named<QLabel>(statistics, QStringLiteral("Kayıt Sayısı"))
                     ->geometry()
                     .intersects(named<QLabel>(statistics, QStringLiteral("Alan Uzunluğu"))->geometry()));

        TSorgufrm query(f.dm(), s.services);
        query.show();
        QVERIFY(labelHolds(named<QLabel>(query, QStringLiteral("Kayıt Sayısı")), count));
        QVERIFY(labelHolds(named<QLabel>(query, QStringLiteral("Alan Uzunluğu")), FieldLengthTotal::largestLabel()));
        QVERIFY(!named<QLabel>(query, QStringLiteral("Kayıt Sayısı"))
                     ->geometry()
                     .intersects(named<QLabel>(query, QStringLiteral("Alan Uzunluğu"))->geometry()));

        RegisterMemory memory;
        PrintedForms forms;
        TForm2 residents(f.dm(), s.services, memory, forms);
        residents.show();
        QVERIFY(boxHolds(named<QLineEdit>(residents, QStringLiteral("Kayıt Sayısı")), million));
        QVERIFY(labelHolds(named<QLabel>(residents, QStringLiteral("Kayıt No")), million));
    }

    void panelsReadTheirValuesAndAnnounceChanges()
    {
        if (!m_noBus.isEmpty())
            QSKIP(qPrintable(QStringLiteral("No AT-SPI bus: ") + m_noBus));
        DataFixture f;
        f.addResident(QStringLiteral("Ayşe Yılmaz"), 1, {{"Cinsiyeti", "Kadın"}, {"DogTar", QDate(1980, 1, 1)}});
        f.addResident(QStringLiteral("Mehmet Kaya"), 2, {{"Cinsiyeti", "Erkek"}, {"DogTar", QDate(1980, 1, 1)}});
        FakeServices s;
        MainWindow main(f.dm(), s.services, {});
        main.show();
        RegisterMemory memory;
        PrintedForms forms;
        TForm2 residents(f.dm(), s.services, memory, forms);
        residents.show();
        TAdres statistics(f.dm(), s.services);
        statistics.show();
        QTRY_VERIFY(statistics.firstRunDone());

        // Each panel gives what it shows as its text, under its caption.
        const auto panel = [&](QWidget& window, const QString& name) {
            for (QWidget* w : window.findChildren<QWidget*>())
                if (w->accessibleName() == name && w->property("text").isValid())
                    return w;
            return static_cast<QWidget*>(nullptr);
        };
        const QList<QWidget*> panels{
            panel(main, QStringLiteral("Tarih ve saat")),     panel(residents, QStringLiteral("Kayıt Sayısı")),
            panel(residents, QStringLiteral("Bulunan Kişi")), panel(statistics, QStringLiteral("Kadın")),
            panel(statistics, QStringLiteral("Erkek")),       panel(main, QStringLiteral("İpucu"))};
        QStringList paths;
        for (QWidget* w : panels) {
            QVERIFY(w);
            paths << AtspiBus::path(w);
            QCOMPARE(m_bus.name(paths.last()), w->accessibleName());
            QCOMPARE(m_bus.text(paths.last()), w->property("text").toString());
        }
        QVERIFY(!m_bus.text(paths[0]).isEmpty());
        QCOMPARE(m_bus.text(paths[1]), QStringLiteral("2"));
        QCOMPARE(m_bus.text(paths[2]), QStringLiteral("Ayşe Yılmaz"));
        QCOMPARE(m_bus.text(paths[3]), QStringLiteral("1"));
        QCOMPARE(m_bus.text(paths[4]), QStringLiteral("1"));

        // Changes are announced: a hint, the next resident, a new count, the time.
        static_cast<ValueLabel*>(panels[5])->setText(QStringLiteral("Kişi Bilgileri"));
        QTRY_VERIFY(m_bus.announced(paths[5], QStringLiteral("Kişi Bilgileri")));
        QCOMPARE(m_bus.text(paths[5]), QStringLiteral("Kişi Bilgileri"));
        f.dm().Query2->next();
        QTRY_VERIFY(m_bus.announced(paths[2], QStringLiteral("Mehmet Kaya")));
        f.addResident(QStringLiteral("Zeynep Şahin"), 3, {{"Cinsiyeti", "Kadın"}, {"DogTar", QDate(1980, 1, 1)}});
        statistics.updateAction()->trigger();
        QTRY_VERIFY(m_bus.announced(paths[3], QStringLiteral("2")));
        s.clock.set(s.clock.current.addSecs(61));
        QTRY_VERIFY(m_bus.announced(paths[0], panels[0]->property("text").toString()));
    }

    void dropDownTextPutInThroughTheBusIsStored()
    {
        if (!m_noBus.isEmpty())
            QSKIP(qPrintable(QStringLiteral("No AT-SPI bus: ") + m_noBus));
        DataFixture f;
        f.addResident(QStringLiteral("Ayşe Yılmaz"), 1, {{"Medeni", "Evli"}});
        FakeServices s;
        RegisterMemory memory;
        PrintedForms forms;
        TForm2 residents(f.dm(), s.services, memory, forms);
        residents.show();
        // The editable drop-down's text field, as a screen reader reaches it:
        // a child of the box.
        QComboBox* married = nullptr;
        for (QComboBox* box : residents.findChildren<QComboBox*>())
            if (box->accessibleName() == QLatin1String("Medeni Hali"))
                married = box;
        QVERIFY(married && married->lineEdit());
        // NOLINTNEXTLINE(clang-analyzer-core.CallAndMessage): the QVERIFY above returns when it is null
        const QString field = AtspiBus::path(married->lineEdit());
        QVERIFY(m_bus.children(AtspiBus::path(married)).contains(field));
        QVERIFY(m_bus.setText(field, QStringLiteral("Bekar")));
        QCOMPARE(married->currentText(), QStringLiteral("Bekar"));
        QVERIFY(f.dm().Query2->isEditing());
        f.dm().Query2->post();
        QCOMPARE(f.dm().database().scalar(QStringLiteral("select Medeni from zelvarx where KayitNo = 1")).toString(),
                 QStringLiteral("Bekar"));
    }

private:
    AtspiBus m_bus;
    QString m_noBus; // why there is no bus, if there is none
};

ZELVAR_TEST(ValuePanelsTest)
#include "tst_valuepanels.moc"
