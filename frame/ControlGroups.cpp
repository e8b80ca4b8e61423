#include "frame/ControlGroups.h"

void DmsRow::show(const survey::Dms& dms) const {
    show(QString::number(dms.d), QString::number(dms.m), QString::number(dms.s));
}

void DmsRow::show(const QString& dText, const QString& mText, const QString& sText) const {
    d->setText(dText);
    m->setText(mText);
    s->setText(sText);
}

void OptionPair::onChoose(QWidget* context, QWidget* focusOnClick, std::function<void(bool)> chosen) const {
    // toggled comes however the button was set; clicked only from the user.
    QObject::connect(first, &QRadioButton::toggled, context, [chosen](bool on) {
        if (on) chosen(true);
    });
    QObject::connect(second, &QRadioButton::toggled, context, [chosen](bool on) {
        if (on) chosen(false);
    });
    for (QRadioButton* option : {first, second})
        QObject::connect(option, &QRadioButton::clicked, context, [focusOnClick] { focusOnClick->setFocus(); });
}
