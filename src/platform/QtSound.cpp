// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QtSound.h"

#include "platform/InstallLayout.h"

#include <QApplication>
#include <QAudioDevice>
#include <QDataStream>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QTimer>

namespace zelvar {

namespace {
// How long loading a sound may take before the bell stands in.
constexpr int kLoadTimeoutMs = 3000;
// Extra time a play may run past its length before it is given up.
constexpr int kPlayGraceMs = 2000;
constexpr int kUnknownDurationMs = 5000;
} // namespace

QtSound::QtSound() = default;
QtSound::~QtSound() = default;

bool QtSound::hasAudioOutput()
{
    return !QMediaDevices::audioOutputs().isEmpty();
}

void QtSound::beep()
{
    QApplication::beep();
}

void QtSound::exclamation()
{
    const QString path = hasAudioOutput() ? locate(QStringLiteral("exclamation.wav")) : QString();
    if (path.isEmpty()) {
        QApplication::beep();
        return;
    }
    if (!m_chime) {
        m_chime = std::make_unique<QSoundEffect>();
        m_chime->setSource(QUrl::fromLocalFile(path));
    }
    m_chime->play();
}

QString QtSound::locate(const QString& file)
{
    if (file.isEmpty())
        return QString();
    const QFileInfo given(file);
    if (given.isAbsolute() && given.isFile())
        return given.absoluteFilePath();
    QString besideProgram = QDir(QCoreApplication::applicationDirPath()).filePath(given.fileName());
    if (QFileInfo(besideProgram).isFile())
        return besideProgram;
    QString installed = InstallLayout().findData(QStringLiteral("sounds/") + given.fileName());
    if (!installed.isEmpty())
        return installed;
    const QString compiledIn = QStringLiteral(":/sounds/") + given.fileName();
    if (!QFile::exists(compiledIn))
        return QString();
    // The player reads files, not resources: copy the sound out once.
    if (!m_unpacked)
        m_unpacked = std::make_unique<QTemporaryDir>();
    QString unpacked = m_unpacked->filePath(given.fileName());
    if (!QFileInfo(unpacked).isFile() && !QFile::copy(compiledIn, unpacked))
        return QString();
    return unpacked;
}

int QtSound::waveDurationMs(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    QDataStream in(&f);
    in.setByteOrder(QDataStream::LittleEndian);
    char riff[4], wave[4];
    quint32 riffSize = 0;
    if (in.readRawData(riff, 4) != 4 || qstrncmp(riff, "RIFF", 4) != 0)
        return -1;
    in >> riffSize;
    if (in.readRawData(wave, 4) != 4 || qstrncmp(wave, "WAVE", 4) != 0)
        return -1;
    quint32 byteRate = 0;
    // Walk the chunks: "fmt " gives the byte rate, "data" the length.
    while (!in.atEnd()) {
        char id[4];
        quint32 size = 0;
        if (in.readRawData(id, 4) != 4)
            return -1;
        in >> size;
        if (qstrncmp(id, "fmt ", 4) == 0) {
            quint16 format, channels;
            quint32 sampleRate;
            in >> format >> channels >> sampleRate >> byteRate;
            in.skipRawData(int(size) - 12);
        } else if (qstrncmp(id, "data", 4) == 0) {
            return byteRate > 0 ? int(qint64(size) * 1000 / byteRate) : -1;
        } else {
            in.skipRawData(int(size + (size & 1)));
        }
    }
    return -1;
}

void QtSound::playSync(const QString& file, int times)
{
    if (times <= 0)
        return;
    // A timer may ask for a bell while one rings (two clocks at the same
    // minute, the reminder at the hour). The bell is not started inside
    // the other; it rings after it. A request that already waits in line
    // is not put there twice: the reminder asks again every second.
    const QPair<QString, int> request(file, times);
    if (m_playing) {
        if (!m_waiting.contains(request))
            m_waiting << request;
        return;
    }
    m_playing = true;
    m_waiting << request;
    while (!m_waiting.isEmpty()) {
        const QPair<QString, int> next = m_waiting.takeFirst();
        ring(next.first, next.second);
    }
    m_playing = false;
}

void QtSound::ring(const QString& file, int times)
{
    const QString path = hasAudioOutput() ? locate(file) : QString();
    if (path.isEmpty() || !playRepeated(QUrl::fromLocalFile(path), times, waveDurationMs(path)))
        for (int i = 0; i < times; ++i)
            QApplication::beep();
}

bool QtSound::playRepeated(const QUrl& url, int times, int durationMs)
{
    QSoundEffect effect;
    QEventLoop loop;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);

    effect.setSource(url);
    if (effect.status() == QSoundEffect::Loading || effect.status() == QSoundEffect::Null) {
        QObject::connect(&effect, &QSoundEffect::statusChanged, &loop, [&] {
            if (effect.status() == QSoundEffect::Ready || effect.status() == QSoundEffect::Error)
                loop.quit();
        });
        guard.start(kLoadTimeoutMs);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        QObject::disconnect(&effect, &QSoundEffect::statusChanged, &loop, nullptr);
    }
    if (effect.status() != QSoundEffect::Ready)
        return false;

    // One play of `times` loops: each loop runs to its end before the next.
    // The user waits for the bell: keyboard and mouse stay out meanwhile.
    QObject::connect(&effect, &QSoundEffect::playingChanged, &loop, [&] {
        if (!effect.isPlaying())
            loop.quit();
    });
    effect.setLoopCount(times);
    effect.play();
    guard.start(times * (durationMs > 0 ? durationMs : kUnknownDurationMs) + kPlayGraceMs);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    effect.stop();
    return true;
}

} // namespace zelvar
