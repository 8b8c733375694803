// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// QtSound: the beeps and the synchronous bell over Qt Multimedia. Where no
// audio output or no sound file exists, the system bell stands in.
#include "platform/Sound.h"

#include <QList>
#include <QPair>
#include <QUrl>
#include <memory>

class QSoundEffect;
class QTemporaryDir;

namespace zelvar {

class QtSound : public Sound {
public:
    QtSound();
    ~QtSound() override;

    void beep() override;
    void exclamation() override;
    void playSync(const QString& file, int times) override;

    // Where a sound file is found: the path as given, then the program's
    // folder, then the installed sounds (<prefix>/share/zelvar/sounds), then
    // the sounds compiled into the program (":/sounds/").
    // Empty when none holds it.
    QString locate(const QString& file);
    // Length of a PCM wave file in milliseconds; -1 when it cannot be read.
    static int waveDurationMs(const QString& path);
    static bool hasAudioOutput();

protected:
    // Rings one request to its end. The wait runs the event loop, so timers
    // of other windows may ask for a bell meanwhile.
    virtual void ring(const QString& file, int times);

private:
    bool playRepeated(const QUrl& url, int times, int durationMs);

    std::unique_ptr<QTemporaryDir> m_unpacked; // compiled-in sounds copied out for the player
    std::unique_ptr<QSoundEffect> m_chime;     // the exclamation, played without waiting
    bool m_playing = false;
    QList<QPair<QString, int>> m_waiting; // bells asked for while one rings
};

} // namespace zelvar
