#pragma once

#include "platform/sql/RecordSet.h"

#include <QAbstractTableModel>

namespace pelmar {

// A read-only grid source over a row set: the set's fields are the columns,
// in their order, headed by the field names.
class RecordSetModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // Replaces the whole content, as binding a new row set does.
    void setRecordSet(RecordSet rows);
    const RecordSet& recordSet() const { return rows_; }

    // The text of one cell, empty outside the set.
    QString text(int row, int column) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    RecordSet rows_;
};

} // namespace pelmar
