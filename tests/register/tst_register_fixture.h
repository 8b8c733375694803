// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A register window over a fresh data module, with the platform fakes, shown
// and active so that focus moves as it does for the user.
#include "DataFixture.h"
#include "FindChild.h"
#include "documents/PrintedForms.h"
#include "platform/fakes/FakeServices.h"
#include "register/RegisterMemory.h"
#include "register/TForm2.h"
#include "ui/bound/DBCheckBox.h"
#include "ui/bound/DBComboBox.h"
#include "ui/bound/DBEdit.h"
#include "ui/bound/DBGrid.h"
#include "ui/bound/DBImage.h"
#include "ui/bound/DBMemo.h"
#include "ui/bound/DBNavigator.h"
#include "ui/bound/DBRadioGroup.h"
#include "ui/bound/DBText.h"

#include <QAbstractButton>
#include <QAction>
#include <QCalendarWidget>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

namespace zelvar::testing {

struct RegisterFixture {
    DataFixture data;
    FakeServices fakes;
    RegisterMemory memory;
    PrintedForms forms;
    QPointer<TForm2> window;

    ~RegisterFixture() { delete window.data(); }

    TForm2& open()
    {
        window = new TForm2(data.dm(), fakes.services, memory, forms);
        window->show();
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window);
        return *window;
    }

    Dataset* q() { return data.dm().Query2; }
    QString stored(const QString& sql, const QVariantList& params = {})
    {
        return data.dm().database().scalar(sql, params).toString();
    }
    int count(const QString& sql, const QVariantList& params = {})
    {
        return data.dm().database().scalar(sql, params).toInt();
    }
    QString name() { return q()->displayText(QStringLiteral("Adi")); }
    int number() { return q()->displayText(QStringLiteral("KayitNo")).toInt(); }
};

// The entry box of a register field, found by the field's name, showing the
// current row even on a page not shown.
template <class Box>
Box* boundBox(const QObject& w, const QString& field)
{
    Box* box = child<Box>(w, field);
    if (box)
        box->showWaitingField();
    return box;
}
inline DBEdit* edit(const QObject& w, const QString& field)
{
    return boundBox<DBEdit>(w, field);
}
inline DBComboBox* combo(const QObject& w, const QString& field)
{
    return boundBox<DBComboBox>(w, field);
}
inline DBMemo* memo(const QObject& w, const QString& field)
{
    return boundBox<DBMemo>(w, field);
}
// A letter button of the alphabet panel.
inline QAbstractButton* letter(const QObject& w, const QString& letter)
{
    return child<QAbstractButton>(w, QStringLiteral("letter") + letter);
}
// The navigator of a page.
inline DBNavigator* navigator(const QObject& w, TForm2::Page page)
{
    static const char* const names[] = {
        "recordCheckNavigator", "entryNavigator", "civilRegistryNavigator", "detailedViewNavigator", "",
        "moveOutNavigator"};
    return child<DBNavigator>(w, QLatin1String(names[page]));
}

// Types text as the keyboard does; QTest::keyClicks knows only ASCII.
inline void type(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Puts the focus into a box and types over its text.
inline void retype(QWidget* box, const QString& text)
{
    box->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(box))
        line->selectAll();
    else if (auto* choice = qobject_cast<QComboBox*>(box))
        choice->lineEdit()->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    type(box, text);
}

} // namespace zelvar::testing
