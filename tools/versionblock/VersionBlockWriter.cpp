#include "VersionBlockWriter.h"

#include <QtEndian>
#include <stdexcept>

namespace {

enum ValueType : quint16 { Binary = 0, Text = 1 };

void appendWord(QByteArray& out, quint16 value) {
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof bytes);
}

void appendDword(QByteArray& out, quint32 value) {
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof bytes);
}

void appendText(QByteArray& out, const QString& text) {
    for (QChar c : text)
        appendWord(out, c.unicode());
    appendWord(out, 0);
}

void alignTo32Bits(QByteArray& out) {
    while (out.size() % 4 != 0)
        out.append('\0');
}

// One structure: header, key, value, children. Its wLength ends after its last byte, without the
// padding that aligns whatever follows it.
QByteArray structure(const QString& key, ValueType type, const QByteArray& value, quint16 valueLength,
                     const QList<QByteArray>& children) {
    QByteArray out;
    appendWord(out, 0);
    appendWord(out, valueLength);
    appendWord(out, type);
    appendText(out, key);
    if (!value.isEmpty()) {
        alignTo32Bits(out);
        out.append(value);
    }
    for (const QByteArray& child : children) {
        alignTo32Bits(out);
        out.append(child);
    }
    if (out.size() > 0xFFFF)
        throw std::length_error("version block larger than 65535 bytes");
    qToLittleEndian(quint16(out.size()), out.data());
    return out;
}

quint32 highWord(const std::array<quint16, 4>& version) {
    return quint32(version[0]) << 16 | version[1];
}
quint32 lowWord(const std::array<quint16, 4>& version) {
    return quint32(version[2]) << 16 | version[3];
}

QByteArray fixedFileInfo(const VersionBlockContent& content) {
    QByteArray out;
    appendDword(out, 0xFEEF04BD);
    appendDword(out, 0x00010000);
    appendDword(out, highWord(content.fileVersion));
    appendDword(out, lowWord(content.fileVersion));
    appendDword(out, highWord(content.productVersion));
    appendDword(out, lowWord(content.productVersion));
    appendDword(out, content.fileFlagsMask);
    appendDword(out, content.fileFlags);
    appendDword(out, content.fileOS);
    appendDword(out, content.fileType);
    appendDword(out, content.fileSubtype);
    appendDword(out, 0);
    appendDword(out, 0);
    return out;
}

QByteArray stringFileInfo(const QList<VersionBlockContent::StringTable>& tables) {
    QList<QByteArray> tableStructures;
    for (const auto& table : tables) {
        QList<QByteArray> strings;
        for (const auto& [key, text] : table.strings) {
            QByteArray value;
            appendText(value, text);
            strings.append(structure(key, Text, value, quint16(text.size() + 1), {}));
        }
        tableStructures.append(structure(table.code, Text, {}, 0, strings));
    }
    return structure(QStringLiteral("StringFileInfo"), Text, {}, 0, tableStructures);
}

QByteArray varFileInfo(const QList<VersionBlockContent::Translation>& translations) {
    QByteArray value;
    for (const auto& translation : translations) {
        appendWord(value, translation.language);
        appendWord(value, translation.codePage);
    }
    const QByteArray var = structure(QStringLiteral("Translation"), Binary, value, quint16(value.size()), {});
    return structure(QStringLiteral("VarFileInfo"), Text, {}, 0, {var});
}

} // namespace

QByteArray writeVersionBlock(const VersionBlockContent& content) {
    QList<QByteArray> children;
    if (!content.stringTables.isEmpty())
        children.append(stringFileInfo(content.stringTables));
    if (!content.translations.isEmpty())
        children.append(varFileInfo(content.translations));
    const QByteArray fixed = fixedFileInfo(content);
    return structure(QStringLiteral("VS_VERSION_INFO"), Binary, fixed, quint16(fixed.size()), children);
}
