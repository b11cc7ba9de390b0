#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Where one named section of an ELF file (32- or 64-bit, little endian) lies. Every offset and count in
// the file is checked against its size, so a malformed file is simply a file without the section.
class ElfSection {
public:
    static ElfSection find(const QString& fileName, const QByteArray& name);

    // 0 when the file is missing, is no ELF file, or has no such section with contents.
    quint64 size() const { return m_size; }
    // The section's bytes; nothing when the file does not hold as many bytes as its header promises.
    std::optional<QByteArray> read() const;

private:
    QString m_fileName;
    quint64 m_offset = 0;
    quint64 m_size = 0;
};
