// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// PictureFileDialog: the open-file dialog for pictures, with a preview of
// the picture under the cursor beside the file list.
#include <QFileDialog>

class QLabel;

namespace zelvar {

class PictureFileDialog : public QFileDialog {
    Q_OBJECT
public:
    PictureFileDialog(QWidget* parent, const QString& title, const QString& folder, const QStringList& filters);

    static constexpr int kPreviewSize = 160;
    QLabel* preview() const { return m_preview; }
    // Shows the picture of this file, or a note when it holds none.
    void showPreview(const QString& path);

private:
    QLabel* m_preview;
};

} // namespace zelvar
