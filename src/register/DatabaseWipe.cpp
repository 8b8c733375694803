// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/DatabaseWipe.h"

#include "ui/PleaseWaitWindow.h"
#include "ui/WaitCursor.h"

namespace zelvar {

DatabaseWipe::DatabaseWipe(TDM2& dm, const Services& services)
    : m_dm(dm),
      m_services(services)
{
}

QString DatabaseWipe::warningText()
{
    return QStringLiteral("Bundan Sonraki Sorguyu Onaylarsanız,\r\n"
                          "Tüm Veritabanındaki Bilgiler Silinecek !\r\n"
                          "Bilgilerinizin Yedeğini Almanız Önerilir!");
}

QString DatabaseWipe::questionText()
{
    return QStringLiteral("Tüm Veritabanı Boşaltılacak !\r\n"
                          "Bu İşlemi Geri Alamazsınız. Onaylıyor musunuz?");
}

DatabaseWipe::Outcome DatabaseWipe::run()
{
    m_services.sound.exclamation();
    m_services.prompter.message(warningText(), MessageKind::Plain);
    const Answer answer =
        m_services.prompter.ask(questionText(), Buttons::YesNoCancel, MessageKind::Warning, questionTitle());
    if (answer == Answer::Cancel)
        return Outcome::Cancelled;
    // Emptying a large register takes seconds: the please-wait window and
    // the wait cursor show it, and both go whatever happens.
    WaitCursor wait;
    PleaseWaitWindow pleaseWait;
    if (answer == Answer::Yes) {
        pleaseWait.showNow();
        wipe();
    }
    reloadRegister();
    return answer == Answer::Yes ? Outcome::Wiped : Outcome::Kept;
}

void DatabaseWipe::wipe()
{
    Dataset* photos = m_dm.tbfoto;
    Dataset* spare = m_dm.Query1;
    photos->close();
    try {
        // Photographs and residents go together or not at all: a failing
        // resident delete must not leave the register without its photos.
        Database::Transaction tx(m_dm.database());
        photos->emptyTable();
        // The spare query is left closed, holding the statement; the windows
        // that use it give it their own before they open it. A NULL name is
        // not unequal to '', so nameless rows stay whether NULL or empty.
        spare->close();
        spare->setSql(deleteStatement());
        spare->execSql();
        tx.commit();
    } catch (...) {
        photos->open();
        throw;
    }
    photos->open();
}

void DatabaseWipe::reloadRegister()
{
    Dataset* residents = m_dm.Query2;
    // The statement in force (a filter included) stays in force.
    const QString sql = residents->sql();
    const QVariantList params = residents->params();
    TDM2::reopen(residents, sql, params);
}

} // namespace zelvar
