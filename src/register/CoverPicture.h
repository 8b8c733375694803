// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CoverPicture: the picture of the cover panel on the move-out page. It
// starts as the built-in street picture; on a page change through the tabs
// one of the optional files 0.jpg to 5.jpg in the program's folder (or, for
// the installed program, its data folder <prefix>/share/zelvar), drawn at
// random, may take its place.
#include "platform/Clock.h"

#include <QImage>
#include <QString>
#include <functional>

namespace zelvar {

class CoverPicture {
public:
    // Draws a whole number from 0 to 5.
    using RandomSource = std::function<int()>;

    // programFolder: where 0.jpg to 5.jpg are looked for; empty means the
    // folder of the program file.
    explicit CoverPicture(const Clock& clock, const QString& programFolder = QString());

    // The picture the cover panel shows now. The built-in one is read when
    // asked for, not kept: the panel holds its own copy at its own size.
    QImage picture() const { return m_picture.isNull() ? builtInPicture() : m_picture; }

    // A page change made through the tabs. Draws n from 0 to 5, the
    // generator seeded afresh from the clock; when "<n>.jpg" exists in the
    // program folder it becomes the picture (true is returned), otherwise the
    // picture stays. A file that exists but cannot be read throws
    // PictureReadError and the picture stays.
    bool pageChanged();

    // For tests: the draw of n instead of the clock-seeded generator.
    void setRandomSource(RandomSource source) { m_random = std::move(source); }
    QString programFolder() const { return m_folder; }
    void setProgramFolder(const QString& folder) { m_folder = folder; }

    static QImage builtInPicture();
    static constexpr int kPictureCount = 6;

private:
    int draw() const;

    const Clock& m_clock;
    QString m_folder;
    RandomSource m_random;
    QImage m_picture; // null: the built-in picture
};

} // namespace zelvar
