// Controls that act as one: the three labels of an angle in degrees,
// minutes and seconds, and the two option buttons of a screen's modes.
#pragma once

#include <QLabel>
#include <QList>
#include <QRadioButton>
#include <QString>
#include <QWidget>
#include <functional>

#include "survey/arith.h"

// Three result labels for degrees, minutes and seconds, each followed by its
// blue mark (° ′ ″).
struct DmsRow {
    QLabel *d = nullptr, *dMark = nullptr;
    QLabel *m = nullptr, *mMark = nullptr;
    QLabel *s = nullptr, *sMark = nullptr;

    // Shows whole degrees, minutes and seconds.
    void show(const survey::Dms& dms) const;
    // Shows any three texts (a screen with fractional seconds).
    void show(const QString& d, const QString& m, const QString& s) const;
    QList<QWidget*> values() const { return {d, m, s}; }
};

// A pair of option buttons that choose a screen's mode. The mode follows the
// checked button however it became checked (mouse, Space, arrow keys, a
// screen reader's action, the program); a click also puts the focus in
// `focusOnClick`. Neither button is checked at load.
struct OptionPair {
    QRadioButton* first = nullptr;
    QRadioButton* second = nullptr;

    // `chosen(true)` when the first becomes checked, `chosen(false)` for the
    // second.
    void onChoose(QWidget* context, QWidget* focusOnClick, std::function<void(bool first)> chosen) const;
};
