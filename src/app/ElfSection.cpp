#include "app/ElfSection.h"

#include "app/LittleEndian.h"

#include <QFile>

namespace {

// Field offsets of the ELF and section headers that the lookup needs.
struct ElfLayout {
    int headerSize;
    int sectionTableOffsetAt;
    int sectionEntrySizeAt;
    int sectionCountAt;
    int nameTableIndexAt;
    int sectionEntrySize;
    int sectionOffsetAt;
    int sectionSizeAt;
    bool wide;
};

constexpr ElfLayout elf32{52, 32, 46, 48, 50, 40, 16, 20, false};
constexpr ElfLayout elf64{64, 40, 58, 60, 62, 64, 24, 32, true};
constexpr int sectionNameAt = 0;
constexpr int sectionTypeAt = 4;
constexpr quint32 sectionWithoutContents = 8; // SHT_NOBITS

using LittleEndian::word16;
using LittleEndian::word32;

quint64 address(const QByteArray& bytes, int at, const ElfLayout& layout) {
    return layout.wide ? LittleEndian::word64(bytes, at) : word32(bytes, at);
}

// Exactly length bytes at offset, or an empty array when the file does not hold them all.
QByteArray readAt(QFile& file, quint64 offset, quint64 length) {
    const quint64 fileSize = quint64(file.size());
    if (length == 0 || offset > fileSize || length > fileSize - offset || !file.seek(qint64(offset)))
        return {};
    QByteArray bytes = file.read(qint64(length));
    return quint64(bytes.size()) == length ? bytes : QByteArray();
}

class ElfReader {
public:
    explicit ElfReader(QFile& file) : m_file(file) {}

    bool readHeader() {
        const QByteArray ident = readAt(m_file, 0, 16);
        const bool littleEndian = ident.size() == 16 && ident[5] == 1;
        if (!ident.startsWith("\177ELF") || !littleEndian)
            return false;
        if (ident[4] == 1)
            m_layout = &elf32;
        else if (ident[4] == 2)
            m_layout = &elf64;
        else
            return false;
        m_header = readAt(m_file, 0, quint64(m_layout->headerSize));
        return !m_header.isEmpty() && entrySize() >= quint64(m_layout->sectionEntrySize);
    }

    // The section header of the given name, or an empty array.
    QByteArray sectionNamed(const QByteArray& name) {
        const QByteArray nameTable = contents(section(word16(m_header, m_layout->nameTableIndexAt)));
        const QByteArray wanted = name + '\0';
        for (quint64 index = 1; index < sectionCount(); ++index) {
            const QByteArray entry = section(index);
            const quint32 nameAt = word32(entry, sectionNameAt);
            if (!entry.isEmpty() && nameAt < quint32(nameTable.size()) &&
                nameTable.mid(nameAt, wanted.size()) == wanted)
                return entry;
        }
        return {};
    }

    quint64 offsetOf(const QByteArray& entry) const {
        return address(entry, m_layout->sectionOffsetAt, *m_layout);
    }
    quint64 sizeOf(const QByteArray& entry) const {
        if (word32(entry, sectionTypeAt) == sectionWithoutContents)
            return 0;
        return address(entry, m_layout->sectionSizeAt, *m_layout);
    }

private:
    quint64 entrySize() const { return word16(m_header, m_layout->sectionEntrySizeAt); }
    quint64 sectionCount() const { return word16(m_header, m_layout->sectionCountAt); }
    quint64 tableOffset() const { return address(m_header, m_layout->sectionTableOffsetAt, *m_layout); }

    QByteArray section(quint64 index) {
        if (index >= sectionCount())
            return {};
        const quint64 offset = tableOffset() + index * entrySize();
        if (offset < tableOffset())
            return {};
        return readAt(m_file, offset, quint64(m_layout->sectionEntrySize));
    }

    QByteArray contents(const QByteArray& entry) {
        return entry.isEmpty() ? QByteArray() : readAt(m_file, offsetOf(entry), sizeOf(entry));
    }

    QFile& m_file;
    const ElfLayout* m_layout = nullptr;
    QByteArray m_header;
};

} // namespace

ElfSection ElfSection::find(const QString& fileName, const QByteArray& name) {
    ElfSection found;
    found.m_fileName = fileName;
    QFile file(fileName);
    if (fileName.isEmpty() || !file.open(QIODevice::ReadOnly))
        return found;
    ElfReader elf(file);
    if (!elf.readHeader())
        return found;
    const QByteArray entry = elf.sectionNamed(name);
    if (!entry.isEmpty()) {
        found.m_offset = elf.offsetOf(entry);
        found.m_size = elf.sizeOf(entry);
    }
    return found;
}

std::optional<QByteArray> ElfSection::read() const {
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = readAt(file, m_offset, m_size);
    if (bytes.isEmpty())
        return std::nullopt;
    return bytes;
}
