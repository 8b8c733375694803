#pragma once
// A register window over a fresh data module, with the platform fakes, shown
// and active so that focus moves as it does for the user.
#include "DataFixture.h"
#include "documents/PrintedForms.h"
#include "platform/fakes/FakeServices.h"
#include "register/RegisterMemory.h"
#include "register/TForm2.h"
#include "ui/bound/DBComboBox.h"
#include "ui/bound/DBEdit.h"

#include <QPointer>
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
