#pragma once

#include <QList>
#include <QStringList>
#include <QVariant>

namespace pelmar {

// A row set handed back from the database as plain data, with the cursor
// operations the dialogs use: start and end tests, next, columns by name
// (case-insensitive), null test, close.
class RecordSet {
public:
    RecordSet() = default;
    RecordSet(QStringList columns, QList<QVariantList> rows);

    bool isOpen() const { return open_; }
    void close();

    const QStringList& columns() const { return columns_; }
    const QList<QVariantList>& rows() const { return rows_; }
    qsizetype rowCount() const { return rows_.size(); }

    // Before the first row: true only for an empty set, as with a cursor that
    // opens on its first row.
    bool atStart() const { return rows_.isEmpty() || position_ < 0; }
    bool atEnd() const { return position_ >= rows_.size(); }
    void moveFirst() { position_ = 0; }
    void moveNext();

    bool hasColumn(const QString& name) const { return columnIndex(name) >= 0; }
    // The current row's value; throws when there is no current row or no
    // such column, naming which.
    QVariant field(const QString& name) const;
    bool isNull(const QString& name) const { return field(name).isNull(); }

private:
    int columnIndex(const QString& name) const;

    QStringList columns_;
    QList<QVariantList> rows_;
    qsizetype position_ = 0;
    bool open_ = false;
};

} // namespace pelmar
