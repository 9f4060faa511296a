#include "lookup/RecordSetModel.h"

namespace pelmar {

void RecordSetModel::setRecordSet(RecordSet rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

QString RecordSetModel::text(int row, int column) const {
    if (row < 0 || row >= rows_.rowCount() || column < 0 || column >= rows_.columns().size())
        return {};
    const QVariantList& values = rows_.rows().at(row);
    return column < values.size() ? values.at(column).toString() : QString();
}

int RecordSetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.rowCount());
}

int RecordSetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.columns().size());
}

QVariant RecordSetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    return text(index.row(), index.column());
}

QVariant RecordSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section < rows_.columns().size() ? QVariant(rows_.columns().at(section))
                                                : QVariant();
    return QString();
}

} // namespace pelmar
