#include "frame/Reading.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "survey/arith.h"

double Reading::value(QLineEdit* box) {
    const double v = numberIn(box);
    if (!std::isfinite(v) && !unreadable_) unreadable_ = box;
    return v;
}

QString Reading::shown(double v) {
    if (!std::isfinite(v)) unshowable_ = true;
    return QString::fromStdString(survey::numberText(v));
}

double Reading::numberIn(const QLineEdit* box) { return survey::leadingNumber(box->text().toStdString()); }

std::string Reading::typed(const QLineEdit* box) {
    QString text = box->text();
    if (!text.isValidUtf16()) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ++i;
            else if (text[i].isSurrogate()) text[i] = QChar::ReplacementCharacter;
        }
    }
    return text.toStdString();
}

QLineEdit* Reading::firstUnreadable(std::initializer_list<QLineEdit*> boxes) {
    const auto found =
        std::find_if(boxes.begin(), boxes.end(), [](const QLineEdit* box) { return !std::isfinite(numberIn(box)); });
    return found == boxes.end() ? nullptr : *found;
}

double Reading::degrees(const QLabel* constantLabel) {
    return survey::leadingNumber(constantLabel->text().toStdString());
}

bool Reading::allFilled(std::initializer_list<const QLineEdit*> boxes) {
    return std::none_of(boxes.begin(), boxes.end(), [](const QLineEdit* box) { return box->text().isEmpty(); });
}

bool Reading::numbersNotAllZero(std::initializer_list<const QLineEdit*> boxes) {
    bool allZero = true;
    for (const QLineEdit* box : boxes) {
        if (box->text().isEmpty()) return false;
        const std::optional<double> v = survey::strictNumber(box->text().toStdString());
        if (!v) return false;  // not a number at all
        if (*v != 0.0) allZero = false;
    }
    return !allZero;
}
