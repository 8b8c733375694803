// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small "Lütfen Bekleyiniz..." window that long jobs show, paint at once
// and close when they are done. Work that can be stopped shows it with a
// Cancel button.
#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;

namespace zelvar {

class SearchAnimation;

class PleaseWaitWindow : public QDialog {
    Q_OBJECT
public:
    explicit PleaseWaitWindow(QWidget* parent = nullptr);
    // Shows the window and paints it before returning, so that it is seen
    // even when the caller's job then blocks the event loop.
    void showNow();
    // Long walks over rows show how many are done under the label.
    void showCount(int rows);
    QString countText() const;
    // Shows the "İptal" button, which emits cancelRequested once and then
    // stays pressed while the work comes to its end.
    void offerCancel();
    QPushButton* cancelButton() const { return m_cancel; }

signals:
    void cancelRequested();

protected:
    // The window goes when its work ends, never by the user's hand.
    void reject() override {}

private:
    SearchAnimation* m_animation;
    QLabel* m_count;
    QPushButton* m_cancel = nullptr;
};

// A small animation of a magnifier sweeping over a screen, 48 × 45 pixels,
// eight frames.
class SearchAnimation : public QWidget {
    Q_OBJECT
public:
    explicit SearchAnimation(QWidget* parent = nullptr);
    int frame() const { return m_frame; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QTimer* m_timer;
    int m_frame = 0;
};

} // namespace zelvar
