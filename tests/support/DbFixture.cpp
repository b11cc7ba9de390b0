#include "DbFixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <dlfcn.h>

namespace {
// The driver libraries live in the architecture's library folder, which the system's odbcinst.ini
// leaves implicit; our own configuration names them in full.
QString odbcDriver(const QString& file) {
    for (const QString& arch :
         QDir(QStringLiteral("/usr/lib")).entryList({QStringLiteral("*-linux-gnu")}, QDir::Dirs)) {
        const QString path = QStringLiteral("/usr/lib/%1/odbc/%2").arg(arch, file);
        if (QFile::exists(path))
            return path;
    }
    qFatal("ODBC driver %s not installed", qPrintable(file));
}

void writeFile(const QString& path, const QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0)
        qFatal("cannot write %s", qPrintable(path));
}
} // namespace

DbFixture::DbFixture() {
    if (!m_dir.isValid())
        qFatal("no temporary folder");
    writeOdbcConfiguration();
    sqlite(QStringLiteral(".read '%1/sql/schema-sqlite.sql'").arg(sourceDir()));
}

QString DbFixture::sourceDir() {
    return QStringLiteral(ZELVAN_SOURCE_DIR);
}

DatabaseSettings DbFixture::settings() const {
    return {QStringLiteral("sqlite:") + databaseName(), QStringLiteral("Zelvan"), QStringLiteral("sa"),
            QStringLiteral("geheim"), odbcDataSource()};
}

QString DbFixture::sqlite(const QString& sql) const {
    QProcess shell;
    shell.start(QStringLiteral("sqlite3"), {QStringLiteral("-bail"), databasePath(), sql});
    if (!shell.waitForFinished(-1) || shell.exitCode() != 0)
        qFatal("sqlite3 failed: %s", shell.readAllStandardError().constData());
    return QString::fromUtf8(shell.readAllStandardOutput()).trimmed();
}

// unixODBC reads these variables when a connection is made, so they must be set before the first one.
// unixODBC loads its configuration library on demand and unloads it after each connection; kept loaded, the
// blocks its globals still hold are not taken for leaks by the sanitizer build.
void DbFixture::writeOdbcConfiguration() const {
    writeFile(folder() + QStringLiteral("odbcinst.ini"),
              QStringLiteral("[SQLite3]\nDriver=%1\n\n[FreeTDS]\nDriver=%2\n")
                  .arg(odbcDriver(QStringLiteral("libsqlite3odbc.so")),
                       odbcDriver(QStringLiteral("libtdsodbc.so"))));
    writeFile(folder() + QStringLiteral("odbc.ini"),
              QStringLiteral("[%1]\nDriver=SQLite3\nDatabase=%2\n").arg(odbcDataSource(), databasePath()));
    dlopen("libodbcinst.so.2", RTLD_NOW | RTLD_NODELETE);
    qputenv("ODBCSYSINI", m_dir.path().toUtf8());
    qputenv("ODBCINI", (folder() + QStringLiteral("odbc.ini")).toUtf8());
}
