#include "support/TempDesktop.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

#include "survey/resultfile.h"

TempDesktop::TempDesktop() {
    const QString home = home_.path();
    const QList<QPair<const char*, QString>> folders{
        {"HOME", home}, {"XDG_CONFIG_HOME", home + "/.config"}, {"XDG_DATA_HOME", home + "/.local/share"}};
    for (const auto& [name, path] : folders) {
        saved_.append({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
        QDir().mkpath(path);
        qputenv(name, QFile::encodeName(path));
    }
    survey::seam::redirectDesktop(folder().toStdU16String());
}

TempDesktop::~TempDesktop() {
    survey::seam::redirectDesktop(std::nullopt);
    for (const Saved& s : saved_) {
        if (s.set) qputenv(s.name, s.value);
        else qunsetenv(s.name);
    }
}

QString TempDesktop::folder() const { return home_.path() + "/Desktop"; }

QString TempDesktop::file(const QString& name) const { return QDir::toNativeSeparators(folder() + "/" + name); }

QByteArray TempDesktop::bytes(const QString& name) const {
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool TempDesktop::exists(const QString& name) const { return QFile::exists(file(name)); }

QString TempDesktop::trashFolder() const {
    const QString probe = file(QStringLiteral("trash-probe.txt"));
    QDir().mkpath(folder());
    QFile written(probe);
    if (!written.open(QIODevice::WriteOnly) || written.write("probe") != 5) return {};
    written.close();
    QString trashed;
    if (!QFile::moveToTrash(probe, &trashed)) {
        QFile::remove(probe);
        return {};
    }
    QFile::remove(trashed);
    return QFileInfo(trashed).absolutePath();
}
