// SPDX-License-Identifier: GPL-3.0-or-later
// What the user waits for, measured through the shown windows: the program
// started as main.cpp starts it, on a copy of a generated register, driven
// by key and mouse events as the window system delivers them, each action
// timed from its event until every window has painted and the event loop
// has gone idle, CPU time of all threads beside the wall clock.
//
// Each floor does the same work without our code, in the same run,
// alternated with ours: the same statements through the SQLite library and
// plain Qt widgets standing where ours stand, with the same texts, painted.
//
//   bench_window [residents]
//
// The parent process starts the program several times (sessions), each a
// child process of this executable, and prints one table over them. One
// session goes on at once after the login, while the integrity check and
// the day's backup run; the others wait until that work has ended.
#include "BenchSupport.h"
#include "SilentServices.h"
#include "WindowDriver.h"

#include "app/DataFolderOpening.h"
#include "app/LoginWindow.h"
#include "app/MainWindow.h"
#include "app/RecordsSafety.h"
#include "app/SplashWindow.h"
#include "app/WindowFactories.h"
#include "data/Database.h"
#include "data/FoldedColumn.h"
#include "data/TDM2.h"
#include "platform/PrintPreviewWindow.h"
#include "platform/TurkishTranslation.h"
#include "register/TForm2.h"
#include "report/PagePainter.h"
#include "report/PagedReport.h"
#include "reports/GeneralReportsPage.h"
#include "reports/ListPrinter.h"
#include "reports/ListReports.h"
#include "reports/ListingControls.h"
#include "reports/TAdres.h"
#include "ui/ScrollingStrip.h"
#include "ui/ZelvarApplication.h"
#include "ui/bound/DBEdit.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMap>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QScrollArea>
#include <QStandardItemModel>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cstdio>
#include <memory>

using namespace zelvar;
using namespace zelvar::bench;

namespace {

// A control of a window found by its object name.
template <class T>
T* named(const QObject* window, const char* name)
{
    return window->findChild<T*>(QLatin1String(name));
}

// ------------------------------------------------------------ recording

// A session reports each figure as one line on its standard output.
void put(const char* kind, const QString& operation, double a, double b = 0)
{
    std::printf("%s\t%s\t%.4f\t%.4f\n", kind, qPrintable(operation), a, b);
    std::fflush(stdout);
}
void ours(const QString& operation, Sample s)
{
    if (qEnvironmentVariableIsSet("ZELVAR_BENCH_TRACE"))
        std::fprintf(stderr, "%s: %.2f ms, cpu %.2f ms\n", qPrintable(operation), s.wallMs, s.cpuMs);
    put("S", operation, s.wallMs, s.cpuMs);
}
void floorOf(const QString& operation, Sample s)
{
    put("F", operation, s.wallMs, s.cpuMs);
}
void memory(const QString& operation, double mb)
{
    put("M", operation, mb);
}

// ------------------------------------------------------------ services

// ------------------------------------------------------------ floors

// A window of plain Qt widgets standing where the widgets of a shown window
// stand, with their texts: what painting that form costs without our code.
class MirrorWindow : public QWidget {
public:
    struct Part {
        enum Kind { Edit, Label, Button, Check, Combo, Memo, Table, Tabs, Group, Frame } kind;
        QRect rect;
        QString text;
        QStringList cells; // a table's visible cells, row by row
        int columns = 0;
    };

    static QList<Part> describe(QWidget* original)
    {
        QList<Part> parts;
        const auto all = original->findChildren<QWidget*>();
        for (QWidget* w : all) {
            if (!w->isVisibleTo(original) || inside<QAbstractItemView>(w, original) || inside<QComboBox>(w, original) ||
                inside<QTabBar>(w, original))
                continue;
            Part p{Part::Frame, QRect(w->mapTo(original, QPoint(0, 0)), w->size()), {}, {}, 0};
            if (auto* e = qobject_cast<QLineEdit*>(w)) {
                p.kind = Part::Edit;
                p.text = e->text();
            } else if (auto* l = qobject_cast<QLabel*>(w)) {
                p.kind = Part::Label;
                p.text = l->text();
            } else if (auto* c = qobject_cast<QCheckBox*>(w)) {
                p.kind = Part::Check;
                p.text = c->text();
            } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
                p.kind = Part::Button;
                p.text = b->text();
            } else if (auto* cb = qobject_cast<QComboBox*>(w)) {
                p.kind = Part::Combo;
                p.text = cb->currentText();
            } else if (auto* m = qobject_cast<QPlainTextEdit*>(w)) {
                p.kind = Part::Memo;
                p.text = m->toPlainText();
            } else if (auto* t = qobject_cast<QTextEdit*>(w)) {
                p.kind = Part::Memo;
                p.text = t->toPlainText();
            } else if (auto* v = qobject_cast<QAbstractItemView*>(w)) {
                p.kind = Part::Table;
                if (QAbstractItemModel* model = v->model()) {
                    p.columns = model->columnCount();
                    const int rows = std::min(model->rowCount(), v->height() / 16 + 1);
                    for (int r = 0; r < rows; ++r)
                        for (int column = 0; column < p.columns; ++column)
                            p.cells << model->index(r, column).data().toString();
                }
            } else if (auto* tb = qobject_cast<QTabBar*>(w)) {
                p.kind = Part::Tabs;
                for (int i = 0; i < tb->count(); ++i)
                    p.cells << tb->tabText(i);
            } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
                p.kind = Part::Group;
                p.text = g->title();
            } else if (!qobject_cast<QFrame*>(w)) {
                continue;
            }
            parts << p;
        }
        return parts;
    }

    MirrorWindow(const QList<Part>& parts, QSize size)
    {
        // Beside the program, never taking its keys.
        setAttribute(Qt::WA_ShowWithoutActivating);
        resize(size);
        for (const Part& p : parts) {
            QWidget* w = nullptr;
            switch (p.kind) {
            case Part::Edit: {
                auto* e = new QLineEdit(p.text, this);
                m_edits << e;
                w = e;
                break;
            }
            case Part::Label:
                w = new QLabel(p.text, this);
                break;
            case Part::Button:
                w = new QPushButton(p.text, this);
                break;
            case Part::Check:
                w = new QCheckBox(p.text, this);
                break;
            case Part::Combo: {
                auto* c = new QComboBox(this);
                c->addItem(p.text);
                w = c;
                break;
            }
            case Part::Memo:
                w = new QPlainTextEdit(p.text, this);
                break;
            case Part::Table: {
                auto* t = new QTableView(this);
                auto* model = new QStandardItemModel(p.columns ? int(p.cells.size()) / p.columns : 0, p.columns, t);
                for (int i = 0; i < p.cells.size(); ++i)
                    model->setItem(i / p.columns, i % p.columns, new QStandardItem(p.cells[i]));
                t->setModel(model);
                m_tables << model;
                w = t;
                break;
            }
            case Part::Tabs: {
                auto* t = new QTabBar(this);
                for (const QString& text : p.cells)
                    t->addTab(text);
                w = t;
                break;
            }
            case Part::Group:
                w = new QGroupBox(p.text, this);
                break;
            case Part::Frame: {
                auto* f = new QFrame(this);
                f->setFrameShape(QFrame::StyledPanel);
                w = f;
                break;
            }
            }
            w->setGeometry(p.rect);
        }
    }

    // A row's texts written into the edits, as a record shown anew.
    void showRow(const QStringList& texts)
    {
        for (int i = 0; i < m_edits.size(); ++i)
            m_edits[i]->setText(texts.value(i));
    }

private:
    template <typename T>
    static bool inside(QWidget* w, QWidget* top)
    {
        for (QWidget* p = w->parentWidget(); p && p != top; p = p->parentWidget())
            if (qobject_cast<T*>(p))
                return true;
        return false;
    }

    QList<QLineEdit*> m_edits;
    QList<QStandardItemModel*> m_tables;
};

// The statement stepped through the library, every column read, the rows
// dropped: what reading costs below our datasets.
void readAll(Database& db, const QString& sql, const QVariantList& params = {})
{
    Statement st(db.handle(), sql);
    for (int i = 0; i < params.size(); ++i)
        st.bind(i + 1, params[i]);
    while (st.step())
        for (int c = 0; c < st.columnCount(); ++c)
            st.column(c);
}

QStringList readRow(Statement& st)
{
    QStringList texts;
    if (st.step())
        for (int c = 0; c < st.columnCount(); ++c)
            texts << st.column(c).toString();
    st.reset();
    return texts;
}

// A page's texts, frames and lines drawn with a bare painter where the page
// has them, on an image of the preview's size, shown as the preview shows it.
QDialog* showLikePreview(const report::Page& page, QSizeF mm, double scale)
{
    QImage image(qRound(mm.width() * scale), qRound(mm.height() * scale), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    for (const report::PlacedItem& p : page.items) {
        if (p.kind == report::ItemKind::Text) {
            painter.setFont(report::ReportFonts::font(p.item->font));
            painter.drawText(p.rect.bottomLeft(), p.text);
        } else {
            painter.drawRect(p.rect);
        }
    }
    painter.end();
    auto* dialog = new QDialog;
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAttribute(Qt::WA_ShowWithoutActivating);
    dialog->resize(820, 900);
    auto* layout = new QVBoxLayout(dialog);
    auto* scroll = new QScrollArea;
    auto* label = new QLabel;
    label->setPixmap(QPixmap::fromImage(image));
    scroll->setWidget(label);
    layout->addWidget(scroll);
    dialog->show();
    return dialog;
}

// Counts the widgets painted, by class, while it lives (with
// ZELVAR_BENCH_PAINTS set): what one action repaints.
class PaintCount : public QObject {
public:
    PaintCount()
    {
        if (qEnvironmentVariableIsSet("ZELVAR_BENCH_PAINTS"))
            qApp->installEventFilter(this);
    }
    ~PaintCount() override
    {
        if (!qEnvironmentVariableIsSet("ZELVAR_BENCH_PAINTS"))
            return;
        QStringList parts;
        for (auto it = m_counts.begin(); it != m_counts.end(); ++it)
            parts << QStringLiteral("%1 %2").arg(it.key()).arg(it.value());
        std::fprintf(stderr, "  painted: %s\n", qPrintable(parts.join(QStringLiteral(", "))));
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++m_counts[QString::fromLatin1(watched->metaObject()->className()) + QLatin1Char('/') +
                       watched->objectName()];
        return false;
    }

private:
    QMap<QString, int> m_counts;
};

// ------------------------------------------------------------ the session

template <typename T>
T* visibleTop()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* t = qobject_cast<T*>(w); t && t->isVisible())
            return t;
    return nullptr;
}

QToolButton* toolButton(QWidget* window, const QString& text)
{
    for (QToolBar* bar : window->findChildren<QToolBar*>())
        for (QAction* a : bar->actions())
            if (a->text() == text)
                return qobject_cast<QToolButton*>(bar->widgetForAction(a));
    return nullptr;
}

void clickTab(QTabWidget* tabs, int index)
{
    click(tabs->tabBar(), tabs->tabBar()->tabRect(index).center());
}

void typeText(QWidget* target, const QString& text)
{
    for (QChar c : text)
        typeChar(target, c);
}

// Empties a search box between measured keys.
void clearBox(QLineEdit* box)
{
    box->clear();
}

class Session {
public:
    Session(const QString& folder, const QStringList& flags)
        : m_folder(folder),
          m_early(flags.contains(QStringLiteral("early"))),
          m_heavy(flags.contains(QStringLiteral("heavy"))),
          m_openOnly(flags.contains(QStringLiteral("open-only"))),
          m_keysOnly(flags.contains(QStringLiteral("keys-only")))
    {
        // Files saved go to the session's own folder.
        m_services.prompter.saveFolder = m_out.path();
    }

    int run()
    {
        DataFolderOpening opening(m_folder);
        if (opening.open())
            return 1;
        m_dm = opening.dm();
        m_floorDb = Database::openFolder(m_folder);
        m_residents = countResidents();
        if (qEnvironmentVariableIsSet("ZELVAR_BENCH_TRACE"))
            std::fprintf(stderr, "folder %s: %d residents, Query2 %d rows\n", qPrintable(m_folder), m_residents,
                         m_dm->Query2->isActive() ? m_dm->Query2->recordCount() : -1);
        MainWindow mainWindow(*m_dm, m_services.services, makeWindowFactories(*m_dm, m_services.services));
        m_main = &mainWindow;
        // Forgotten with the window, on every way out.
        const auto forgetMain = qScopeGuard([this] { m_main = nullptr; });

        // The login: Return in the password box (no password is set), once
        // the login window is up and idle.
        double loginStart = 0;
        double loginCpu = 0;
        QTimer lookForLogin;
        QObject::connect(&lookForLogin, &QTimer::timeout, [&] {
            auto* login = visibleTop<LoginWindow>();
            if (!login)
                return;
            lookForLogin.stop();
            // The strip under the password box scrolls every 30 ms while it
            // shows, faster than the quiet time that counts as idle: stopped
            // before the wait, or the wait would never end.
            for (ScrollingStrip* strip : login->findChildren<ScrollingStrip*>())
                for (QTimer* step : strip->findChildren<QTimer*>())
                    step->stop();
            settleIdle();
            loginStart = monotonicMs();
            loginCpu = processCpuMs();
            pressKey(login, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        });
        lookForLogin.start(20);
        auto* splash = new SplashWindow;
        splash->showNow();
        if (!mainWindow.startUp(splash))
            return 1;
        mainWindow.showMaximized();
        const Moment loggedIn = nextIdle();
        ours(QStringLiteral("login to the main window"),
             {loggedIn.monotonicMs - loginStart, loggedIn.cpuMs - loginCpu});

        if (m_early) {
            registerWindow(QStringLiteral(", background work running"));
            return 0;
        }
        waitForBackgroundWork();
        memory(QStringLiteral("memory, main window"), residentMb());
        registerWindow(QString());
        if (!m_openOnly && !m_keysOnly)
            statistics();
        return 0;
    }

private:
    // The start-up check and the day's backup run in the background after
    // the login; the clean sessions wait until they have ended and the
    // program has been quiet for a while.
    void waitForBackgroundWork()
    {
        RecordsSafety& safety = m_main->recordsSafety();
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 180000) {
            safety.waitForBackground();
            const double cpu = processCpuMs();
            waitForQuietCpu(1500, 1500);
            if (safety.integrityChecked() && processCpuMs() - cpu < 30)
                break;
        }
    }

    int countResidents()
    {
        Statement st(m_floorDb->handle(), QStringLiteral("select count(*) from zelvarx"));
        return st.step() ? st.column(0).toInt() : 0;
    }

    // ------------------------------------------------ the register window

    void registerWindow(const QString& suffix)
    {
        // Ctrl+B on the main window.
        ours(QStringLiteral("register window open") + suffix,
             untilIdle([this] { pressKey(m_main, Qt::Key_B, Qt::ControlModifier); }));
        auto* form = m_main->findChild<TForm2*>();
        if (!form)
            return;
        const QList<MirrorWindow::Part> parts = MirrorWindow::describe(form);
        const QSize size = form->size();
        if (suffix.isEmpty())
            memory(QStringLiteral("memory, register window open"), residentMb());
        {
            std::unique_ptr<MirrorWindow> mirror;
            floorOf(QStringLiteral("register window open") + suffix, untilIdle([&] {
                        readAll(*m_floorDb, QStringLiteral("select rowid, \"Adi\" from \"zelvarx\""));
                        mirror = std::make_unique<MirrorWindow>(parts, size);
                        mirror->show();
                    }));
        }
        if (m_openOnly)
            return;
        nameKeys(form, suffix, suffix.isEmpty() ? 12 : 2);
        if (!suffix.isEmpty())
            return;
        numberKeys(form);
        if (!m_keysOnly)
            filters(form);
        newSaveDelete(form);
        if (m_keysOnly)
            return;
        pageSwitches(form);
        pressKey(form, Qt::Key_Escape);
        settleIdle();
    }

    // Names of residents at scattered places, and two nobody has.
    QStringList someNames(int count)
    {
        QStringList names;
        Statement st(m_floorDb->handle(), QStringLiteral("select \"Adi\" from \"zelvarx\" where rowid = ?"));
        QRandomGenerator rand(7);
        while (names.size() < count && m_residents > 0) {
            st.reset();
            st.bind(1, qint64(1 + rand.bounded(m_residents)));
            if (st.step() && !st.column(0).toString().isEmpty())
                names << st.column(0).toString();
        }
        st.reset();
        names << QStringLiteral("Xqw Yılmaz") << QStringLiteral("Şükrü Zzz");
        return names;
    }

    void nameKeys(TForm2* form, const QString& suffix, int nameCount)
    {
        QLineEdit* box = named<QLineEdit>(form, "searchBox");
        click(box);
        settleIdle();
        // The floor: the same search over the same folded names in memory,
        // the found row read whole and shown in the mirror's boxes.
        FoldedColumn folded;
        QVector<qint64> ids;
        {
            Statement st(m_floorDb->handle(), QStringLiteral("select rowid, \"Adi\" from \"zelvarx\""));
            while (st.step()) {
                ids << st.columnInt64(0);
                const QByteArray name = st.column(1).toString().toUtf8();
                folded.appendUtf8(name.constData(), int(name.size()));
            }
        }
        Statement row(m_floorDb->handle(), QStringLiteral("select * from \"zelvarx\" where rowid = ?"));
        MirrorWindow mirror(MirrorWindow::describe(form), form->size());
        mirror.show();
        settleIdle();
        const QString operation = QStringLiteral("name search, one key") + suffix;
        const QStringList names = someNames(nameCount);
        if (qEnvironmentVariableIsSet("ZELVAR_BENCH_TRACE"))
            std::fprintf(stderr, "%d residents, names: %s\n", m_residents, qPrintable(names.join(", ")));
        for (const QString& name : names) {
            clearBox(box);
            settleIdle();
            for (int i = 0; i < name.size(); ++i) {
                const QChar c = name[i];
                {
                    PaintCount paints;
                    ours(operation, untilIdle([&] { typeChar(box, c); }));
                }
                floorOf(operation, untilIdle([&] {
                            const int found = folded.findPrefix(FoldedColumn::fold(name.left(i + 1)));
                            if (found < 0)
                                return;
                            row.bind(1, ids[found]);
                            mirror.showRow(readRow(row));
                        }));
            }
        }
        clearBox(box);
        settleIdle();
    }

    void numberKeys(TForm2* form)
    {
        click(named<QAbstractButton>(form, "numberMode"));
        QLineEdit* box = named<QLineEdit>(form, "searchBox");
        click(box);
        settleIdle();
        Statement row(m_floorDb->handle(), QStringLiteral("select * from \"zelvarx\" where \"KayitNo\" = ?"));
        MirrorWindow mirror(MirrorWindow::describe(form), form->size());
        mirror.show();
        settleIdle();
        QRandomGenerator rand(12);
        const QString operation = QStringLiteral("record-number search, one key");
        for (int n = 0; n < 24; ++n) {
            const QString number = QString::number(1 + rand.bounded(std::max(1, m_residents)));
            clearBox(box);
            settleIdle();
            for (int i = 0; i < number.size(); ++i) {
                {
                    PaintCount paints;
                    ours(operation, untilIdle([&] { typeChar(box, number[i]); }));
                }
                floorOf(operation, untilIdle([&] {
                            row.bind(1, number.left(i + 1).toInt());
                            const QStringList texts = readRow(row);
                            if (!texts.isEmpty())
                                mirror.showRow(texts);
                        }));
            }
        }
        clearBox(box);
        click(named<QAbstractButton>(form, "nameMode"));
        settleIdle();
    }

    void filters(TForm2* form)
    {
        QLineEdit* box = named<QLineEdit>(form, "searchBox");
        for (int run = 0; run < 2; ++run) {
            click(box);
            clearBox(box);
            typeText(box, QStringLiteral("Kaya"));
            settleIdle();
            ours(QStringLiteral("surname filter \"Kaya\""),
                 untilIdle([&] { click(named<QAbstractButton>(form, "surnameFilter")); }));
            floorOf(QStringLiteral("surname filter \"Kaya\""), untilIdle([&] {
                        readAll(
                            *m_floorDb,
                            QStringLiteral("select rowid, \"Adi\" from \"zelvarx\" where \"Adi\" like ? escape '\\'"),
                            {QStringLiteral("%Kaya%")});
                    }));
            ours(QStringLiteral("whole table"), untilIdle([&] { click(named<QAbstractButton>(form, "wholeTable")); }));
            floorOf(QStringLiteral("whole table"),
                    untilIdle([&] { readAll(*m_floorDb, QStringLiteral("select rowid, \"Adi\" from \"zelvarx\"")); }));
            if (QAbstractButton* m = named<QAbstractButton>(form, "letterM")) {
                ours(QStringLiteral("letter filter \"M\""), untilIdle([&] { click(m); }));
                floorOf(QStringLiteral("letter filter \"M\""), untilIdle([&] {
                            readAll(*m_floorDb,
                                    QStringLiteral("select rowid, \"Adi\" from \"zelvarx\" where \"Adi\" like ?"),
                                    {QStringLiteral("M%")});
                        }));
                click(named<QAbstractButton>(form, "endAlphabet"));
            }
            click(box);
            clearBox(box);
            settleIdle();
        }
    }

    // New, a name typed, Save, and the saved resident deleted again. The
    // floors: the next number read and the boxes emptied; the row inserted
    // with all its columns and committed; the row deleted with its
    // photographs in one transaction and the next row shown.
    void newSaveDelete(TForm2* form)
    {
        MirrorWindow mirror(MirrorWindow::describe(form), form->size());
        mirror.show();
        settleIdle();
        QStringList columns;
        {
            Statement info(m_floorDb->handle(), QStringLiteral("pragma table_info(\"zelvarx\")"));
            while (info.step())
                columns << QLatin1Char('"') + info.column(1).toString() + QLatin1Char('"');
        }
        Statement template_(m_floorDb->handle(), QStringLiteral("select * from \"zelvarx\" limit 1"));
        template_.step();
        QVariantList values;
        for (int c = 0; c < template_.columnCount(); ++c)
            values << template_.column(c);
        template_.reset();
        const int numberColumn = int(columns.indexOf(QStringLiteral("\"KayitNo\"")));
        QStringList marks;
        for (int c = 0; c < columns.size(); ++c)
            marks << QStringLiteral("?");
        const QString insertSql = QStringLiteral("insert into \"zelvarx\" (%1) values (%2)")
                                      .arg(columns.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
        for (int i = 0; i < 20; ++i) {
            {
                PaintCount paints;
                ours(QStringLiteral("New (F8)"), untilIdle([&] { pressKey(form, Qt::Key_F8); }));
            }
            floorOf(QStringLiteral("New (F8)"), untilIdle([&] {
                        readAll(*m_floorDb, QStringLiteral("select max(\"KayitNo\") from \"zelvarx\""));
                        mirror.showRow({});
                    }));
            if (QWidget* nameBox = named<QWidget>(form, "Adi")) {
                click(nameBox);
                typeText(nameBox, QStringLiteral("Deneme Kişi"));
            }
            settleIdle();
            ours(QStringLiteral("Save (F10)"), untilIdle([&] { pressKey(form, Qt::Key_F10); }));
            if (qEnvironmentVariableIsSet("ZELVAR_BENCH_TRACE"))
                std::fprintf(stderr, "saved '%s', %d rows\n",
                             qPrintable(m_dm->Query2->displayText(QStringLiteral("Adi"))), m_dm->Query2->recordCount());
            floorOf(QStringLiteral("Save (F10)"), untilIdle([&] {
                        m_floorDb->exec(QStringLiteral("begin"));
                        Statement insert(m_floorDb->handle(), insertSql);
                        for (int c = 0; c < values.size(); ++c)
                            insert.bind(c + 1, c == numberColumn ? QVariant(9000000 + i) : values[c]);
                        insert.step();
                        m_floorDb->exec(QStringLiteral("commit"));
                        QStringList texts;
                        for (const QVariant& v : values)
                            texts << v.toString();
                        mirror.showRow(texts);
                    }));
            ours(QStringLiteral("Delete (F11)"), untilIdle([&] { pressKey(form, Qt::Key_F11); }));
            floorOf(
                QStringLiteral("Delete (F11)"), untilIdle([&] {
                    m_floorDb->exec(QStringLiteral("begin"));
                    Statement photos(m_floorDb->handle(), QStringLiteral("delete from \"Foto\" where \"Kayitno\" = ?"));
                    photos.bind(1, 9000000 + i);
                    photos.step();
                    Statement del(m_floorDb->handle(), QStringLiteral("delete from \"zelvarx\" where \"KayitNo\" = ?"));
                    del.bind(1, 9000000 + i);
                    del.step();
                    m_floorDb->exec(QStringLiteral("commit"));
                    Statement next(m_floorDb->handle(), QStringLiteral("select * from \"zelvarx\" limit 1"));
                    mirror.showRow(readRow(next));
                }));
        }
    }

    void pageSwitches(TForm2* form)
    {
        for (int i = 0; i < 10; ++i) {
            ours(QStringLiteral("page switch (F7, F6, tab)"), untilIdle([&] { pressKey(form, Qt::Key_F7); }));
            ours(QStringLiteral("page switch (F7, F6, tab)"), untilIdle([&] { pressKey(form, Qt::Key_F6); }));
            ours(QStringLiteral("page switch (F7, F6, tab)"),
                 untilIdle([&] { clickTab(named<QTabWidget>(form, "pages"), TForm2::DetailedViewPage); }));
            ours(QStringLiteral("page switch (F7, F6, tab)"),
                 untilIdle([&] { clickTab(named<QTabWidget>(form, "pages"), TForm2::EntryPage); }));
        }
    }

    // ------------------------------------------------ statistics and lists

    void statistics()
    {
        m_main->activateWindow();
        settleIdle();
        ours(QStringLiteral("statistics window open"),
             untilIdle([this] { pressKey(m_main, Qt::Key_I, Qt::ControlModifier); }));
        auto* window = m_main->findChild<TAdres*>();
        if (!window)
            return;
        memory(QStringLiteral("memory, statistics window open"), residentMb());
        clickTab(window->pages(), 2);
        settleIdle();
        GeneralReportsPage* page = window->generalReportsPage();
        // A blank as the word: every resident is found, and the lists can
        // be printed.
        ListingControls* listing = page->listing();
        click(listing->wordBox());
        typeText(listing->wordBox(), QStringLiteral(" "));
        settleIdle();
        ours(QStringLiteral("find every resident (Bul)"), untilIdle([&] { click(page->findButton()); }));
        memory(QStringLiteral("memory, every resident found"), residentMb());
        for (int column : {0, 2, 5, 7})
            click(listing->columnBox(column));
        settleIdle();

        ListPrinter printer(*m_dm, m_services.services);
        TQRList list;
        list.setColumns(placeListColumns(listing->chosenColumns()));
        preview(QStringLiteral("name list"), page->nameListButton(), printer.nameList(list), m_heavy);
        preview(QStringLiteral("address labels"), page->labelsButton(), nullptr, false);
        preview(QStringLiteral("detailed list"), page->detailedListButton(), nullptr, false);
        if (m_heavy) {
            resetPeak();
            ours(QStringLiteral(".xlsx of every resident"), untilIdle([&] { click(page->excelButton()); }));
            memory(QStringLiteral("memory after the .xlsx, peak"), peakMb());
            memory(QStringLiteral("memory after the .xlsx"), residentMb());
        }
    }

    // A list's preview from its button: the first page shown, pages turned,
    // and for the name list a PDF of it; memory while it is open and after.
    void preview(const QString& name, QAbstractButton* button, const std::shared_ptr<report::PagedReport>& same,
                 bool pdf)
    {
        resetPeak();
        const Sample first =
            untilIdle([&] { click(button); },
                      [&] {
                          auto* window = visibleTop<PrintPreviewWindow>();
                          if (!window)
                              return;
                          memory(QStringLiteral("memory, %1 preview open").arg(name), residentMb());
                          QToolButton* next = toolButton(window, QStringLiteral("Sonraki"));
                          for (int i = 0; i < 30 && next && next->isEnabled(); ++i)
                              ours(QStringLiteral("preview, next page"), untilIdle([&] { click(next); }));
                          if (pdf) {
                              ours(QStringLiteral("PDF of the %1").arg(name),
                                   untilIdle([&] { click(toolButton(window, QStringLiteral("PDF Olarak Kaydet"))); }));
                              memory(QStringLiteral("memory after the PDF"), residentMb());
                          }
                          memory(QStringLiteral("memory, %1 preview, peak").arg(name), peakMb());
                          click(toolButton(window, QStringLiteral("Kapat")));
                      });
        ours(QStringLiteral("%1, first preview page").arg(name), first);
        settleIdle();
        memory(QStringLiteral("memory, %1 preview closed").arg(name), residentMb());
        if (same)
            firstPageFloor(name, *same);
    }

    // The floor of a first preview page: the page's rows read, its texts,
    // frames and lines drawn where the page has them, on a page image of
    // the preview's size, shown in a window of the preview's size.
    void firstPageFloor(const QString& name, report::PagedReport& report)
    {
        const report::Page page = report.page(0);
        const QSizeF mm = report.definition().pageSizeMm();
        const double scale = (820 - 2 * 16 - 20) / mm.width();
        floorOf(QStringLiteral("%1, first preview page").arg(name), untilIdle([&] {
                    readAll(*m_floorDb, QStringLiteral("select * from \"zelvarx\" limit ?"), {page.rowCount});
                    m_floorDialog = showLikePreview(page, mm, scale);
                }));
        if (m_floorDialog)
            m_floorDialog->close();
        settleIdle();
    }

    QString m_folder;
    bool m_early;
    bool m_heavy;
    bool m_openOnly; // for profiling the register's open
    bool m_keysOnly; // for profiling keys, New, Save and Delete
    QTemporaryDir m_out;
    SilentServices m_services;
    TDM2* m_dm = nullptr;
    std::unique_ptr<Database> m_floorDb;
    MainWindow* m_main = nullptr;
    int m_residents = 0;
    QPointer<QDialog> m_floorDialog;
};

// ------------------------------------------------------------ start-up

// The program's start up to the login window, painted and idle.
int startChild(const QString& folder)
{
    SilentServices s;
    auto* splash = new SplashWindow;
    splash->showNow();
    DataFolderOpening opening(folder);
    if (opening.open())
        return 1;
    MainWindow mainWindow(*opening.dm(), s.services, makeWindowFactories(*opening.dm(), s.services));
    QTimer lookForLogin;
    QObject::connect(&lookForLogin, &QTimer::timeout, [&] {
        auto* login = visibleTop<LoginWindow>();
        if (!login)
            return;
        lookForLogin.stop();
        const Moment idle = nextIdle();
        std::printf("start\t%.4f\t%.4f\n", idle.monotonicMs, idle.cpuMs);
        std::fflush(stdout);
        login->cancel();
    });
    lookForLogin.start(5);
    mainWindow.startUp(splash);
    return 0;
}

// Its floor: the database file opened and its tables listed, and a window of
// the login's widgets painted.
int startFloorChild(const QString& folder)
{
    auto db = Database::openFolder(folder);
    readAll(*db, QStringLiteral("select * from sqlite_master"));
    QDialog dialog;
    dialog.resize(420, 260);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Şifreniz ?")));
    layout->addWidget(new QLineEdit);
    layout->addWidget(new QPushButton(QStringLiteral("Tamam")));
    layout->addWidget(new QPushButton(QStringLiteral("İptal")));
    dialog.show();
    const Moment idle = nextIdle();
    std::printf("start\t%.4f\t%.4f\n", idle.monotonicMs, idle.cpuMs);
    return 0;
}

// ------------------------------------------------------------ the parent

struct Collected {
    QStringList order;
    QMap<QString, Samples> ours;
    QMap<QString, Samples> floors;
    QMap<QString, QList<double>> memory;
    void note(const QString& op)
    {
        if (!order.contains(op))
            order << op;
    }
};

Sample oneStart(const QString& self, const QString& mode, const QString& folder)
{
    QProcess child;
    const double before = monotonicMs();
    child.start(self, {mode, folder});
    child.waitForFinished(600000);
    const QStringList parts = QString::fromUtf8(child.readAllStandardOutput()).trimmed().split(QLatin1Char('\t'));
    if (parts.size() < 3)
        return {-1, -1};
    return {parts[1].toDouble() - before, parts[2].toDouble()};
}

void session(const QString& self, const QString& generated, const QStringList& flags, Collected& out)
{
    QTemporaryDir folder;
    copyDatabase(generated, folder.path());
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(self, QStringList{QStringLiteral("--bench-session"), folder.path()} + flags);
    child.waitForFinished(-1);
    for (const QString& line : QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() < 4)
            continue;
        out.note(f[1]);
        if (f[0] == QLatin1String("S"))
            out.ours[f[1]].add({f[2].toDouble(), f[3].toDouble()});
        else if (f[0] == QLatin1String("F"))
            out.floors[f[1]].add({f[2].toDouble(), f[3].toDouble()});
        else if (f[0] == QLatin1String("M"))
            out.memory[f[1]] << f[2].toDouble();
    }
}

Goal goalOf(const QString& op, int residents)
{
    const bool big = residents >= 1000000;
    if (op.startsWith(QLatin1String("register window open")))
        return Goal::ratio(1.2);
    if (op.startsWith(QLatin1String("name search")) || op.startsWith(QLatin1String("record-number search")) ||
        op.startsWith(QLatin1String("New")) || op.startsWith(QLatin1String("Save")))
        return Goal::ms(5);
    if (op.endsWith(QLatin1String("first preview page")))
        return Goal::ms(500);
    if (op == QLatin1String("memory, register window open"))
        return Goal::mb(big ? 150 : 60);
    if (op.startsWith(QLatin1String("memory, ")) && op.contains(QLatin1String("preview, peak")) && big)
        return Goal::mb(150);
    if (!big && (op.endsWith(QLatin1String("preview open")) || op == QLatin1String("memory after the PDF") ||
                 op == QLatin1String("memory after the .xlsx")))
        return Goal::mb(80);
    if (!big && op.endsWith(QLatin1String("preview closed")))
        return Goal::mb(65);
    return Goal();
}

bool isQuantileRow(const Samples& s)
{
    return s.size() >= 20;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode.startsWith(QLatin1String("--"))) {
        ZelvarApplication app(argc, argv);
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
        loadTurkishTranslation(app);
        QApplication::setApplicationName(QStringLiteral("Zelvar 2001"));
        QApplication::setQuitOnLastWindowClosed(false);
        const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
        // Never the current folder: a run without a folder would make a
        // register where it stands.
        if (folder.isEmpty())
            return 2;
        if (mode == QLatin1String("--start"))
            return startChild(folder);
        if (mode == QLatin1String("--start-floor"))
            return startFloorChild(folder);
        const QStringList flags = QCoreApplication::arguments().mid(3);
        return Session(folder, flags).run();
    }

    QCoreApplication app(argc, argv);
    const int residents = argc > 1 ? atoi(argv[1]) : 100000;
    const QString generated = generatedFolder(residents);
    const QString self = QCoreApplication::applicationFilePath();
    Collected all;

    // "bench_window N keys-only": one session of the register window's keys,
    // New, Save and Delete, without the start-up runs and the other sessions.
    const bool keysOnly = argc > 2 && QByteArray(argv[2]) == "keys-only";
    if (keysOnly) {
        session(self, generated, {QStringLiteral("keys-only")}, all);
    } else {
        std::fprintf(stderr, "start-up, %d residents\n", residents);
        QTemporaryDir folder;
        copyDatabase(generated, folder.path());
        oneStart(self, QStringLiteral("--start"), folder.path()); // warms the file and the libraries
        const QString op = QStringLiteral("start to the login window");
        all.note(op);
        for (int run = 0; run < 5; ++run) {
            const Sample mine = oneStart(self, QStringLiteral("--start"), folder.path());
            const Sample bare = oneStart(self, QStringLiteral("--start-floor"), folder.path());
            if (mine.wallMs >= 0)
                all.ours[op].add(mine);
            if (bare.wallMs >= 0)
                all.floors[op].add(bare);
        }
    }
    const int sessions = keysOnly ? 0 : 3;
    for (int s = 0; s < sessions; ++s) {
        std::fprintf(stderr, "session %d of %d\n", s + 1, sessions + 1);
        QStringList flags;
        if (s == 0 || residents < 1000000)
            flags << QStringLiteral("heavy");
        session(self, generated, flags, all);
    }
    if (!keysOnly) {
        std::fprintf(stderr, "session %d of %d: at once after the login\n", sessions + 1, sessions + 1);
        session(self, generated, {QStringLiteral("early")}, all);
    }

    for (const QString& op : std::as_const(all.order)) {
        if (all.memory.contains(op)) {
            const QList<double>& mb = all.memory[op];
            memoryRow(op, residents, *std::max_element(mb.begin(), mb.end()), -1, goalOf(op, residents));
            continue;
        }
        const Samples& o = all.ours[op];
        if (o.empty())
            continue;
        if (isQuantileRow(o))
            quantileRow(op, residents, o, all.floors.value(op), goalOf(op, residents));
        else
            runRow(op, residents, o, all.floors.value(op), goalOf(op, residents));
    }
    return 0;
}
