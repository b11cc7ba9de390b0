#pragma once

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// A test server written in Python (tests/support/*.py), run by Debian's interpreter, which sees the
// Debian modules. The script binds port 0 on 127.0.0.1, prints the port and writes what it received into
// outDir(). The server is killed when this object goes.
class PythonServer {
public:
    PythonServer(const QString& script, const QStringList& arguments) {
        const QString path = QDir(qEnvironmentVariable("ZELVAN_TEST_SUPPORT_DIR")).filePath(script);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral("/usr/bin/python3"),
                        QStringList{path, QStringLiteral("--outdir"), m_outDir.path()} + arguments);
        while (!m_process.canReadLine() && m_process.waitForReadyRead(30000)) {
        }
        m_port = m_process.readLine().trimmed().toInt();
    }
    ~PythonServer() {
        m_process.kill();
        m_process.waitForFinished();
    }
    PythonServer(const PythonServer&) = delete;
    PythonServer& operator=(const PythonServer&) = delete;

    // 0 when the server did not start.
    int port() const { return m_port; }
    QString outDir() const { return m_outDir.path(); }
    QByteArray file(const QString& name) const {
        QFile file(QDir(m_outDir.path()).filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool hasFile(const QString& name) const { return QFile::exists(QDir(m_outDir.path()).filePath(name)); }

private:
    QTemporaryDir m_outDir;
    QProcess m_process;
    int m_port = 0;
};
