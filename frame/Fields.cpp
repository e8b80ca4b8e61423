#include "frame/Fields.h"

#include <QLabel>
#include <QLineEdit>
#include <algorithm>

namespace {

QString fieldText(const QWidget* w) {
    if (auto* box = qobject_cast<const QLineEdit*>(w)) return box->text();
    if (auto* label = qobject_cast<const QLabel*>(w)) return label->text();
    return QString();
}

}  // namespace

bool Fields::calculationShown() const {
    if (shown_.isEmpty()) return false;
    return std::none_of(shown_.begin(), shown_.end(), [](const QWidget* w) { return fieldText(w).isEmpty(); });
}

void Fields::empty() const {
    for (QWidget* w : cleared_) {
        if (auto* box = qobject_cast<QLineEdit*>(w)) box->clear();
        else if (auto* label = qobject_cast<QLabel*>(w)) label->clear();
    }
}

void Fields::emptyResults() const {
    for (QWidget* w : cleared_)
        if (auto* label = qobject_cast<QLabel*>(w)) label->clear();
}
