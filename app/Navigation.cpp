#include "app/Navigation.h"

#include <utility>

namespace Navigation {
namespace {
std::function<void()>& opener() {
    static std::function<void()> f;
    return f;
}
}  // namespace

void setMenuOpener(std::function<void()> f) { opener() = std::move(f); }

void ShowMenu() {
    if (opener()) opener()();
}

}  // namespace Navigation
