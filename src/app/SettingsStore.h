#pragma once

#include "app/StoredProperty.h"

#include <QDomDocument>
#include <QList>
#include <QString>

// The settings file "ZelvanVODO.xml": read once at the restore, changed in memory by every save, written
// to disk only when the store is destroyed at an orderly program end. A killed process loses the run's
// changes but never the previous file.
class SettingsStore {
public:
    SettingsStore(QString filePath, QString section, QList<StoredProperty> properties);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    // Fills the controls from the file. Throws AppError when the file cannot be parsed.
    void restore();
    // Copies the controls into the in-memory document (only FormVersion before a completed restore).
    void save();
    // The save of a closing window: only when nothing was saved since the restore.
    void saveIfUnsaved();
    // Writes the document to the file; reports a failure on standard error.
    void writeFile();

private:
    void load();
    void restoreProperty(const StoredProperty& property, const QString& text) const;
    QDomElement sectionElement();
    void setValue(const QString& name, const QString& value);
    QString formVersionText();
    void keepUnreadableFile() const;

    QString m_filePath;
    QString m_section;
    QList<StoredProperty> m_properties;
    QDomDocument m_document;
    bool m_loaded = false;
    bool m_fileUnreadable = false;
    bool m_restored = false;
    bool m_savedSinceRestore = false;
};
