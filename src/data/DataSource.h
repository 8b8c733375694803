// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A named data source: what bound controls attach to. It names the dataset
// they show and whether typing into them starts editing by itself.
#include <QObject>

namespace zelvar {

class Dataset;

class DataSource : public QObject {
    Q_OBJECT
public:
    DataSource(const QString& name, Dataset* dataset, QObject* parent = nullptr)
        : QObject(parent),
          m_dataset(dataset)
    {
        setObjectName(name);
    }
    QString name() const { return objectName(); }
    Dataset* dataset() const { return m_dataset; }
    bool autoEdit() const { return m_autoEdit; }
    void setAutoEdit(bool on) { m_autoEdit = on; }

private:
    Dataset* m_dataset;
    bool m_autoEdit = true;
};

} // namespace zelvar
