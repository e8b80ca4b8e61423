// The corners of a plan as a table of 番号, X and Y, as the program writes
// numbers, read only. The model shares the plan it reads: whichever of a
// window's children goes first, it never reads a plan that is gone.
#pragma once

#include <QAbstractTableModel>
#include <QSharedPointer>
#include <utility>

class ParcelPlan;

class CornerTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    CornerTableModel(QSharedPointer<const ParcelPlan> plan, QObject* parent);

    // Runs `change`, which changes the plan's corners, as a reset of the table.
    template <class Change>
    void reset(Change&& change) {
        beginResetModel();
        std::forward<Change>(change)();
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QSharedPointer<const ParcelPlan> plan_;
};
