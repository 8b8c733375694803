// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// HintHandler: follows the application's current hint, the hint of the
// control under the mouse (or of the menu item under it), and reports each
// change. It also switches the pop-up hints of the whole program on and off.
#include <QObject>
#include <QString>

class QWidget;

namespace zelvar {

class HintHandler : public QObject {
    Q_OBJECT
public:
    explicit HintHandler(QObject* parent = nullptr);
    ~HintHandler() override;

    // Starts and stops watching every event of the application.
    void install();
    void uninstall();

    QString hint() const { return m_hint; }
    bool popupsEnabled() const { return m_popups; }
    void setPopupsEnabled(bool on);

    // The hint a control shows: its own, or the nearest one of the controls
    // it sits in.
    static QString hintOf(const QWidget* widget);

signals:
    void hintChanged(const QString& hint);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setHint(const QString& hint);

    QString m_hint;
    bool m_popups = true;
    bool m_installed = false;
};

} // namespace zelvar
