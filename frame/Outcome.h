// What the computation of a press came to: the record to append (empty for
// a calculation that writes no file), or a refusal, which names the box at
// fault and says whether the list the user typed in is kept.
#pragma once

#include <QWidget>
#include <utility>
#include <variant>

#include "survey/record.h"

class Outcome {
public:
    struct Refusal {
        // Where the focus goes; none for the calculation's usual place.
        QWidget* atFault = nullptr;
        // The boxes and the list stay, only the results go; otherwise the
        // screen is emptied as on any refused input.
        bool keepsList = false;
    };

    static Outcome recorded(survey::Record record) { return Outcome(std::move(record)); }
    static Outcome refused(Refusal refusal) { return Outcome(refusal); }

    const survey::Record* record() const { return std::get_if<survey::Record>(&value_); }
    const Refusal* refusal() const { return std::get_if<Refusal>(&value_); }

private:
    explicit Outcome(survey::Record record) : value_(std::move(record)) {}
    explicit Outcome(Refusal refusal) : value_(refusal) {}

    std::variant<survey::Record, Refusal> value_;
};
