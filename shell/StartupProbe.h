// The start-up probe of the benchmark (benchmarks/startup.py): with
// TARNEL_EXIT_AFTER_FIRST_PAINT in the environment, the program ends right
// after the first paint of its main window, so that the time from start to
// exit is the time until the user sees it.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

inline void exitAfterFirstPaintIfAsked(QWidget* window) {
    if (qEnvironmentVariableIsEmpty("TARNEL_EXIT_AFTER_FIRST_PAINT")) return;
    struct Probe : QObject {
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint)
                // After this paint has been handed to the window system.
                QTimer::singleShot(0, [] { std::_Exit(0); });
            return QObject::eventFilter(watched, event);
        }
    };
    window->installEventFilter(new Probe);
}
