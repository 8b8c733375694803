// SPDX-License-Identifier: GPL-3.0-or-later
#include "register/PhotoOperations.h"

#include "register/PictureReading.h"

#include <QDir>
#include <QStandardPaths>

namespace zelvar {

namespace {

const QString kPhotoField = QStringLiteral("Foto");

QString defaultPictureFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QDir(pictures).exists() ? pictures : QDir::homePath();
}

// After a rollback a dataset may still show what was undone; it reads its
// rows again. A failure here must not hide the one that caused it.
void resync(Dataset* dataset)
{
    try {
        dataset->refresh();
    } catch (...) {
    }
}

} // namespace

PhotoOperations::PhotoOperations(TDM2& dm, const Services& services)
    : m_dm(dm),
      m_services(services),
      m_startFolder(defaultPictureFolder())
{
}

QStringList PhotoOperations::fileFilters()
{
    return {QStringLiteral("Bitmaps (*.bmp)"), QStringLiteral("Resimler (*.bmp *.jpg *.jpeg *.png)")};
}

bool PhotoOperations::load()
{
    Dataset* residents = m_dm.Query2;
    if (!residents->isActive() || residents->recordCount() == 0) {
        m_services.sound.beep();
        m_services.prompter.message(noResidentMessage());
        return false;
    }
    const QString file = m_services.prompter.openPictureName(dialogTitle(), m_startFolder, fileFilters());
    if (file.isEmpty())
        return false;
    // Read before anything is put into editing: an unreadable file then
    // leaves the photograph table exactly as it was.
    store(readPictureFile(file));
    return true;
}

void PhotoOperations::store(const QImage& picture)
{
    Dataset* photos = m_dm.tbfoto;
    Dataset* residents = m_dm.Query2;
    const QByteArray bytes = pngBytes(picture);
    // The photograph and the resident are saved together: a resident who is
    // still being entered and cannot be saved must not leave a photograph
    // row behind under a number that the next new resident would get.
    const bool residentWasEditing = residents->isEditing();
    bool residentPosted = false;
    try {
        // Ended (rolled back) by the time the handler below runs, so that it
        // reads the rows as they are again.
        Database::Transaction tx(m_dm.database());
        photos->edit(); // inserts the row, with the resident's number, when he has none
        photos->setValue(kPhotoField, bytes);
        photos->post();
        residents->edit();
        residents->post();
        residentPosted = true;
        tx.commit();
    } catch (...) {
        photos->cancel();
        // A resident being entered stays in editing, so that the user can
        // correct what was refused; one put into editing here goes back.
        if (residentPosted)
            resync(residents); // it may list a row that was rolled back
        else if (!residentWasEditing)
            residents->cancel();
        resync(photos);
        throw;
    }
}

void PhotoOperations::remove()
{
    m_dm.tbfoto->remove();
}

QImage PhotoOperations::currentPhoto() const
{
    const Dataset* photos = m_dm.tbfoto;
    if (!photos->isActive() || photos->rowCount() == 0)
        return {};
    return pictureFromBytes(photos->value(kPhotoField).toByteArray());
}

} // namespace zelvar
