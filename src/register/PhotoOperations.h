// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// PhotoOperations: loading and deleting the photograph of the register's
// current resident. The picture box of the entry page is bound to tbfoto
// and shows the result by itself.
#include "data/TDM2.h"
#include "platform/Services.h"

#include <QImage>
#include <QStringList>

namespace zelvar {

class PhotoOperations {
public:
    PhotoOperations(TDM2& dm, const Services& services);

    // "Fotoğraf Yükle": asks for a picture file and stores it, as PNG, in the
    // current resident's photograph row (inserted when he has none, replaced
    // when he has one), then saves the resident. True when a picture was
    // stored; false when there is no resident or the user cancelled. A file
    // that is not a readable picture throws PictureReadError and leaves the
    // old photograph in place.
    bool load();

    // "Fotoğrafı Sil": deletes the current photograph row without asking.
    // With no photograph row it throws DatasetError.
    void remove();

    // The current resident's photograph as shown in the picture box; a null
    // image when he has none.
    QImage currentPhoto() const;

    // Where the picture file dialog starts; by default the user's pictures.
    void setStartFolder(const QString& folder) { m_startFolder = folder; }
    QString startFolder() const { return m_startFolder; }

    static QString noResidentMessage()
    {
        return QStringLiteral("Lütfen Resim Yüklemeden Önce Kişinin Kaydını Açınız !");
    }
    static QString dialogTitle() { return QStringLiteral("Fotoğraf Yükle"); }
    static QStringList fileFilters();

private:
    void store(const QImage& picture);

    TDM2& m_dm;
    Services m_services;
    QString m_startFolder;
};

} // namespace zelvar
