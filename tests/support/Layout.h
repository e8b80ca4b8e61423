// The layout check every screen runs on itself: each visible control lies
// inside the widget it stands on, shows its whole text and overlaps no other.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

// Fill the result labels with the widest text they may have to show before
// calling this. The instruction line scrolls inside its frame by design and
// is not checked.
inline void expectNothingClippedOrOverlapping(QWidget* window) {
    auto isControl = [window](QWidget* w) {
        if (!w->isVisibleTo(window) || qobject_cast<QTabBar*>(w->parentWidget())) return false;
        if (w->objectName() == QStringLiteral("Label1") &&
            w->parentWidget()->objectName() == QStringLiteral("Picture1"))
            return false;
        return qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w);
    };
    QList<QWidget*> holders{window};
    holders += window->findChildren<QWidget*>();
    for (QWidget* holder : holders) {
        QList<QWidget*> controls;
        for (QWidget* child : holder->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (isControl(child)) controls.append(child);
        for (int i = 0; i < controls.size(); ++i) {
            QWidget* a = controls[i];
            const std::string name = a->objectName().toStdString();
            EXPECT_TRUE(holder->rect().contains(a->geometry()))
                << name << " leaves " << holder->objectName().toStdString();
            if (qobject_cast<QLabel*>(a)) {
                EXPECT_LE(a->sizeHint().width(), a->width()) << name << " cuts its text";
                EXPECT_LE(a->sizeHint().height(), a->height()) << name << " cuts its text";
            } else if (auto* button = qobject_cast<QAbstractButton*>(a)) {
                // The text, and the mark of an option button, with a little air.
                const int mark = qobject_cast<QPushButton*>(a) ? 0 : 20;
                EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + mark + 6, a->width())
                    << name << " cuts its text";
                EXPECT_LE(button->fontMetrics().height(), a->height()) << name << " cuts its text";
            }
            for (int j = i + 1; j < controls.size(); ++j)
                EXPECT_FALSE(a->geometry().intersects(controls[j]->geometry()))
                    << name << " / " << controls[j]->objectName().toStdString();
        }
    }
}
