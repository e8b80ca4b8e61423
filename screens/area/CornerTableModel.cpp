#include "screens/area/CornerTableModel.h"

#include <QStringList>

#include "screens/area/ParcelPlan.h"
#include "survey/arith.h"

CornerTableModel::CornerTableModel(QSharedPointer<const ParcelPlan> plan, QObject* parent)
    : QAbstractTableModel(parent), plan_(std::move(plan)) {}

int CornerTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(plan_->corners().size());
}

int CornerTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 3; }

QVariant CornerTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    const survey::Corner& c = plan_->corners()[std::size_t(index.row())];
    const double values[] = {double(index.row() + 1), c.x, c.y};
    return QString::fromStdString(survey::numberText(values[index.column()]));
}

QVariant CornerTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return QStringList{QStringLiteral("番号"), QStringLiteral("X"), QStringLiteral("Y")}.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}
