#include "platform/sql/RecordSet.h"

#include "platform/Error.h"

namespace pelmar {

RecordSet::RecordSet(QStringList columns, QList<QVariantList> rows)
    : columns_(std::move(columns))
    , rows_(std::move(rows))
    , open_(true) {}

void RecordSet::close() {
    open_ = false;
    rows_.clear();
    columns_.clear();
    position_ = 0;
}

void RecordSet::moveNext() {
    if (position_ < rows_.size())
        ++position_;
}

int RecordSet::columnIndex(const QString& name) const {
    for (int i = 0; i < columns_.size(); ++i) {
        if (columns_[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QVariant RecordSet::field(const QString& name) const {
    if (!open_)
        throw Error(QStringLiteral("Cannot read \"%1\": the row set is closed.").arg(name));
    const int column = columnIndex(name);
    if (column < 0)
        throw Error(QStringLiteral("The row set has no column \"%1\".").arg(name));
    if (position_ < 0 || position_ >= rows_.size())
        throw Error(QStringLiteral("Cannot read \"%1\": there is no current row "
                                   "(the row set is empty or at its end).")
                        .arg(name));
    return rows_[position_][column];
}

} // namespace pelmar
