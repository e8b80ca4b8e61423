// A Desktop folder of the test's own: HOME and XDG_CONFIG_HOME point into a
// temporary directory for the lifetime of the object, so result files never
// touch the real Desktop.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class TempDesktop {
public:
    TempDesktop();
    ~TempDesktop();
    TempDesktop(const TempDesktop&) = delete;
    TempDesktop& operator=(const TempDesktop&) = delete;

    // The folder result files go to (it need not exist yet).
    QString folder() const;
    // Full path of a file in that folder.
    QString file(const QString& name) const;
    // The bytes of that file; empty when it does not exist.
    QByteArray bytes(const QString& name) const;
    bool exists(const QString& name) const;

private:
    QTemporaryDir home_;
    QByteArray oldHome_, oldConfig_;
    bool hadHome_, hadConfig_;
};
