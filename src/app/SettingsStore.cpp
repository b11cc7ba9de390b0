#include "app/SettingsStore.h"

#include "app/AppError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <cstdio>

namespace {
const QString kRoot = QStringLiteral("Configuration");
const QString kFormVersion = QStringLiteral("FormVersion");

// The first word of each list is the one written.
const QStringList kTrueWords{QStringLiteral("TRUE"), QStringLiteral("YES"), QStringLiteral("Y")};
const QStringList kFalseWords{QStringLiteral("FALSE"), QStringLiteral("NO"), QStringLiteral("N")};

QString formatValue(const StoredProperty& property) {
    const QVariant value = property.read();
    switch (property.kind) {
    case StoredProperty::Kind::YesNo:
        return value.toBool() ? kTrueWords.first() : kFalseWords.first();
    case StoredProperty::Kind::Integer:
        return QString::number(value.toInt());
    case StoredProperty::Kind::Text:
        break;
    }
    return value.toString();
}

void reportOnStandardError(const QString& text) {
    std::fprintf(stderr, "ZelvanVODO: %s\n", text.toLocal8Bit().constData());
}
} // namespace

SettingsStore::SettingsStore(QString filePath, QString section, QList<StoredProperty> properties)
    : m_filePath(std::move(filePath)), m_section(std::move(section)), m_properties(std::move(properties)) {}

SettingsStore::~SettingsStore() {
    writeFile();
}

void SettingsStore::restore() {
    load();
    if (m_fileUnreadable)
        throw AppError(QStringLiteral("Het instellingenbestand %1 kan niet gelezen worden").arg(m_filePath));
    bool isNumber = false;
    const int formVersion = formVersionText().toInt(&isNumber);
    if (!isNumber || formVersion >= 0) {
        const QDomElement section = sectionElement();
        for (const StoredProperty& property : m_properties) {
            const QDomElement element = section.firstChildElement(property.element);
            if (!element.isNull())
                restoreProperty(property, element.text());
        }
    }
    m_restored = true;
    m_savedSinceRestore = false;
}

void SettingsStore::restoreProperty(const StoredProperty& property, const QString& text) const {
    switch (property.kind) {
    case StoredProperty::Kind::Text:
        property.write(text);
        return;
    case StoredProperty::Kind::YesNo: {
        const QString word = text.trimmed().toUpper();
        if (kTrueWords.contains(word))
            property.write(true);
        else if (kFalseWords.contains(word))
            property.write(false);
        return;
    }
    case StoredProperty::Kind::Integer: {
        bool isNumber = false;
        const qlonglong value = text.trimmed().toLongLong(&isNumber);
        if (isNumber)
            property.write(int(qBound(qlonglong(property.minimum), value, qlonglong(property.maximum))));
        return;
    }
    }
}

void SettingsStore::save() {
    load();
    setValue(kFormVersion, QStringLiteral("0"));
    if (m_restored) {
        for (const StoredProperty& property : m_properties)
            setValue(property.element, formatValue(property));
    }
    m_savedSinceRestore = true;
}

void SettingsStore::saveIfUnsaved() {
    if (!m_savedSinceRestore)
        save();
}

void SettingsStore::writeFile() {
    load();
    const QFileInfo info(m_filePath);
    if (info.exists() && !info.isWritable()) {
        reportOnStandardError(
            QStringLiteral("%1 is read-only; the settings of this run are not kept").arg(m_filePath));
        return;
    }
    QDir().mkpath(info.absolutePath());
    if (m_fileUnreadable)
        keepUnreadableFile();
    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly) || file.write(m_document.toByteArray(2)) < 0 || !file.commit())
        reportOnStandardError(QStringLiteral("cannot write %1: %2").arg(m_filePath, file.errorString()));
}

// Loads the document at the first access of the run; later changes to the file are not seen.
void SettingsStore::load() {
    if (m_loaded)
        return;
    m_loaded = true;
    QFile file(m_filePath);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly) || !m_document.setContent(&file)) {
            m_fileUnreadable = true;
            m_document = QDomDocument();
        }
    }
    if (m_document.documentElement().isNull()) {
        m_document.appendChild(m_document.createProcessingInstruction(
            QStringLiteral("xml"), QStringLiteral("version=\"1.0\" encoding=\"UTF-8\"")));
        m_document.appendChild(m_document.createElement(kRoot));
    }
}

QDomElement SettingsStore::sectionElement() {
    QDomElement root = m_document.documentElement();
    QDomElement section = root.firstChildElement(m_section);
    if (section.isNull())
        section = root.appendChild(m_document.createElement(m_section)).toElement();
    return section;
}

void SettingsStore::setValue(const QString& name, const QString& value) {
    QDomElement section = sectionElement();
    QDomElement element = section.firstChildElement(name);
    if (element.isNull())
        element = section.appendChild(m_document.createElement(name)).toElement();
    while (element.hasChildNodes())
        element.removeChild(element.firstChild());
    element.appendChild(m_document.createTextNode(value));
}

QString SettingsStore::formVersionText() {
    return sectionElement().firstChildElement(kFormVersion).text();
}

// A file we could not parse may still be repaired by hand: it is kept beside the new one.
void SettingsStore::keepUnreadableFile() const {
    const QString kept = m_filePath + QStringLiteral(".onleesbaar");
    QFile::remove(kept);
    if (QFile::exists(m_filePath) && !QFile::copy(m_filePath, kept))
        reportOnStandardError(QStringLiteral("cannot keep the unreadable %1 as %2").arg(m_filePath, kept));
}
