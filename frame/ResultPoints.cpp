#include "frame/ResultPoints.h"

#include <QAction>
#include <QKeySequence>

#include "frame/Book.h"
#include "frame/Module1.h"
#include "survey/arith.h"

namespace {

QString title() { return QStringLiteral("座標簿に登録"); }

}  // namespace

ResultPoints::ResultPoints(QWidget* sheet, QString origin, Points points, std::function<void()> registered)
    : sheet_(sheet), origin_(std::move(origin)), points_(std::move(points)), registered_(std::move(registered)) {
    auto* action = new QAction(title(), sheet);
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(action, &QAction::triggered, sheet, [this] { registerPoints(); });
    sheet->addAction(action);
}

double ResultPoints::shown(const QLabel* label) { return survey::leadingNumber(label->text().toStdString()); }

std::vector<survey::BookPoint> ResultPoints::shownPoint(const QLabel* x, const QLabel* y) {
    if (x->text().isEmpty() || y->text().isEmpty()) return {};
    survey::BookPoint p;
    p.x = shown(x);
    p.y = shown(y);
    return {p};
}

QString ResultPoints::nextName(const QString& origin) {
    long long highest = 0;
    for (const survey::BookPoint& p : Book::instance().points()) {
        const QString name = QString::fromStdString(p.name);
        if (!name.startsWith(origin)) continue;
        // "交点3" and "分割2-5" both count as the third and second of theirs.
        bool whole = false;
        const long long n = name.mid(origin.size()).section(u'-', 0, 0).toLongLong(&whole);
        if (whole) highest = std::max(highest, n);
    }
    return origin + QString::number(highest + 1);
}

void ResultPoints::registerPoints() {
    std::vector<survey::BookPoint> points = points_();
    if (points.empty()) {
        Module1::ShowInformation(QStringLiteral("座標簿に登録する計算結果がありません。先に計算してください。"),
                                 title());
        return;
    }
    const std::optional<survey::PointNumber> first = Book::instance().data().nextFreeNumber();
    if (!first || survey::kMaxPointNumber - *first < survey::PointNumber(points.size()) - 1) {
        Module1::ShowFailure(QStringLiteral("点番が上限に達しているため、座標簿に登録できません。"), title());
        return;
    }
    const QString prompt = points.size() == 1 ? QStringLiteral("座標簿に登録する点の名前を入力してください。")
                                              : QStringLiteral(
                                                    "座標簿に登録する %1 点の名前を入力してください。"
                                                    "（名前のあとに -1, -2 … が付きます）")
                                                    .arg(points.size());
    const std::optional<QString> name = Module1::AskText(prompt, nextName(origin_), title());
    if (!name) return;
    for (std::size_t i = 0; i < points.size(); ++i) {
        points[i].number = *first + survey::PointNumber(i);
        points[i].name = (points.size() == 1 ? *name : *name + u'-' + QString::number(i + 1)).toStdString();
    }
    const survey::PointNumber last = points.back().number;
    Book::instance().putPoints(std::move(points), QStringLiteral("%1 の登録").arg(*name));
    if (registered_) registered_();
    Module1::ShowInformation(first == last ? QStringLiteral("点番 %1 に登録しました。").arg(*first)
                                           : QStringLiteral("点番 %1～%2 に登録しました。").arg(*first).arg(last),
                             title());
}
