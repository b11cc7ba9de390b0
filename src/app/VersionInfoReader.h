#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class VersionBlock;

// Reads the version block of an executable into lines "name=value". The block is the VS_VERSIONINFO
// structure of a Windows version resource, kept in the ELF section named by SectionName; the build puts
// the project's version there.
class VersionInfoReader : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString FileName READ FileName WRITE setFileName)

public:
    enum Error {
        NoError = 0,
        NoVersionInfo = 1,
        VersionInfoTooLarge = 2,
        VersionInfoUnreadable = 3,
    };
    static constexpr const char* SectionName = ".zelvan.versioninfo";
    static constexpr quint64 MaximumSize = 65526;

    explicit VersionInfoReader(QObject* parent = nullptr);

    QString FileName() const { return m_fileName; }
    // Only remembers the name; ReadVersionInfo reads.
    void setFileName(const QString& fileName) { m_fileName = fileName; }
    const QStringList& Infos() const { return m_infos; }
    int LastError() const { return m_lastError; }

    // The file flags of the last read, each counted only where the flags mask allows it.
    bool debug() const { return m_debug; }
    bool patched() const { return m_patched; }
    bool preRelease() const { return m_preRelease; }
    bool privateBuild() const { return m_privateBuild; }
    bool specialBuild() const { return m_specialBuild; }

    virtual void ClearInfos();
    virtual void ReadVersionInfo();

    // The value of the line with this name, letter case aside; empty when there is no such line.
    QString value(const QString& name) const;

private:
    void addFixedFileInfo(const VersionBlock& block);
    void addTranslatedStrings(const VersionBlock& block);
    void addLine(const QString& name, const QString& value);

    QString m_fileName;
    QStringList m_infos;
    int m_lastError = NoError;
    bool m_debug = false;
    bool m_patched = false;
    bool m_preRelease = false;
    bool m_privateBuild = false;
    bool m_specialBuild = false;
};
