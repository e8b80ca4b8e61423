// A Desktop folder of the test's own: result files go to a temporary
// folder for the lifetime of the object, so they never touch the real
// Desktop. HOME and the XDG folders point into the same temporary folder,
// so that whatever else the program keeps for the user stays there too.
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

    // The user's home folder of the test.
    QString home() const { return home_.path(); }
    // The folder result files go to (it need not exist yet).
    QString folder() const;
    // Full path of a file in that folder, as the system writes paths (the
    // program shows them so).
    QString file(const QString& name) const;
    // The bytes of that file; empty when it does not exist.
    QByteArray bytes(const QString& name) const;
    bool exists(const QString& name) const;
    // The folder where the system's trash keeps what is moved to it from
    // this Desktop, found by moving a file there; empty where the system has
    // no trash for it (Wine has none).
    QString trashFolder() const;

private:
    struct Saved {
        const char* name;
        QByteArray value;
        bool set;
    };
    QTemporaryDir home_;
    QList<Saved> saved_;
};
