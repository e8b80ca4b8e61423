#include "frame/Navigation.h"

#include <QHash>
#include <utility>

namespace Navigation {
namespace {
QHash<QString, std::function<void()>>& openers() {
    static QHash<QString, std::function<void()>> table;
    return table;
}
}  // namespace

void setOpener(const QString& name, std::function<void()> opener) {
    if (opener) openers().insert(name, std::move(opener));
    else openers().remove(name);
}

void open(const QString& name) {
    const auto it = openers().constFind(name);
    if (it != openers().constEnd() && *it) (*it)();
}

}  // namespace Navigation
