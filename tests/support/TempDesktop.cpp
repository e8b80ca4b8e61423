#include "support/TempDesktop.h"

#include <QDir>
#include <QFile>
#include <QtGlobal>

TempDesktop::TempDesktop()
    : oldHome_(qgetenv("HOME")),
      oldConfig_(qgetenv("XDG_CONFIG_HOME")),
      hadHome_(qEnvironmentVariableIsSet("HOME")),
      hadConfig_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")) {
    const QString home = home_.path();
    QDir(home).mkpath(".config");
    qputenv("HOME", QFile::encodeName(home));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home + "/.config"));
}

TempDesktop::~TempDesktop() {
    if (hadHome_) qputenv("HOME", oldHome_); else qunsetenv("HOME");
    if (hadConfig_) qputenv("XDG_CONFIG_HOME", oldConfig_); else qunsetenv("XDG_CONFIG_HOME");
}

QString TempDesktop::folder() const { return home_.path() + "/Desktop"; }

QString TempDesktop::file(const QString& name) const { return folder() + "/" + name; }

QByteArray TempDesktop::bytes(const QString& name) const {
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool TempDesktop::exists(const QString& name) const { return QFile::exists(file(name)); }
