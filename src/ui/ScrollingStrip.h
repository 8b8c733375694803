// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// ScrollingStrip: a band of text that runs from right to left, light type on
// dark navy, as at the foot of the password windows. The lines follow one
// another with a gap; the strip moves only while it is shown.
#include <QStringList>
#include <QWidget>

class QTimer;

namespace zelvar {

class ScrollingStrip : public QWidget {
    Q_OBJECT
public:
    explicit ScrollingStrip(const QStringList& lines, QWidget* parent = nullptr);

    void setLines(const QStringList& lines);
    QStringList lines() const { return m_lines; }
    // The text as it runs: the lines joined by the gap.
    QString runningText() const { return m_text; }
    // Pixels the text has moved to the left since it entered at the right.
    int offset() const { return m_offset; }
    // Moves the text by some pixels, starting over once it has left.
    void advance(int pixels);
    bool isRunning() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    int cycleLength() const;

    QStringList m_lines;
    QString m_text;
    int m_textWidth = 0; // of the text and the gap after it
    int m_offset = 0;
    QTimer* m_timer;
};

} // namespace zelvar
