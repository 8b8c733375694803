// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PictureFileDialog.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>

namespace zelvar {

PictureFileDialog::PictureFileDialog(QWidget* parent, const QString& title, const QString& folder,
                                     const QStringList& filters)
    : QFileDialog(parent, title, folder, filters.join(QStringLiteral(";;"))),
      m_preview(new QLabel(this))
{
    // The desktop's own dialog has no room for a preview: Qt's dialog is used.
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    m_preview->setObjectName(QStringLiteral("picturePreview"));
    m_preview->setAccessibleName(QStringLiteral("Resim Önizleme"));
    m_preview->setFixedSize(kPreviewSize, kPreviewSize);
    m_preview->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setWordWrap(true);
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(m_preview, 0, grid->columnCount(), grid->rowCount(), 1);
    connect(this, &QFileDialog::currentChanged, this, &PictureFileDialog::showPreview);
}

void PictureFileDialog::showPreview(const QString& path)
{
    m_preview->clear();
    if (!QFileInfo(path).isFile())
        return;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid())
        reader.setScaledSize(size.scaled(kPreviewSize - 8, kPreviewSize - 8, Qt::KeepAspectRatio));
    const QImage picture = reader.read();
    if (picture.isNull())
        m_preview->setText(QStringLiteral("Önizleme yok"));
    else
        m_preview->setPixmap(QPixmap::fromImage(picture));
}

} // namespace zelvar
