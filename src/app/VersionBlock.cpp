#include "app/VersionBlock.h"

#include "app/LittleEndian.h"

namespace {

constexpr int headerSize = 6; // wLength, wValueLength, wType
constexpr quint16 textValue = 1;
constexpr quint32 fixedFileInfoSignature = 0xFEEF04BD;
constexpr int fixedFileInfoSize = 52;
// VS_VERSIONINFO > StringFileInfo > string table > string: nothing deeper is ever looked up.
constexpr int deepestLevel = 4;

using LittleEndian::word16;
using LittleEndian::word32;

int alignedTo32Bits(int offset) {
    return (offset + 3) & ~3;
}

} // namespace

VersionBlock::VersionBlock(const QByteArray& bytes) {
    int length = 0;
    m_root = parse(bytes, 0, int(bytes.size()), 1, length);
}

// The structure at offset at, which must end by end; length receives its wLength.
std::optional<VersionBlock::Node> VersionBlock::parse(const QByteArray& bytes, int at, int end, int depth,
                                                      int& length) {
    if (end - at < headerSize)
        return std::nullopt;
    length = word16(bytes, at);
    const quint16 valueLength = word16(bytes, at + 2);
    const quint16 type = word16(bytes, at + 4);
    if (length < headerSize || length > end - at)
        return std::nullopt;
    const int nodeEnd = at + length;

    Node node;
    int offset = at + headerSize;
    while (offset + 2 <= nodeEnd && word16(bytes, offset) != 0) {
        node.key.append(QChar(word16(bytes, offset)));
        offset += 2;
    }
    if (offset + 2 > nodeEnd)
        return std::nullopt; // key without its terminating zero
    offset = alignedTo32Bits(offset + 2);

    const int valueSize = type == textValue ? 2 * valueLength : valueLength;
    if (valueSize > 0) {
        if (valueSize > nodeEnd - offset)
            return std::nullopt;
        node.value = bytes.mid(offset, valueSize);
        offset = alignedTo32Bits(offset + valueSize);
    }

    while (depth < deepestLevel && nodeEnd - offset >= headerSize) {
        int childLength = 0;
        std::optional<Node> child = parse(bytes, offset, nodeEnd, depth + 1, childLength);
        if (!child)
            break;
        node.children.append(std::move(*child));
        offset = alignedTo32Bits(offset + childLength);
    }
    return node;
}

const VersionBlock::Node* VersionBlock::Node::child(const QString& name) const {
    for (const Node& node : children) {
        if (node.key.compare(name, Qt::CaseInsensitive) == 0)
            return &node;
    }
    return nullptr;
}

std::optional<VersionBlock::FixedFileInfo> VersionBlock::fixedFileInfo() const {
    if (!m_root || m_root->value.size() < fixedFileInfoSize ||
        word32(m_root->value, 0) != fixedFileInfoSignature)
        return std::nullopt;
    const QByteArray& v = m_root->value;
    return FixedFileInfo{word32(v, 8),  word32(v, 12), word32(v, 16), word32(v, 20), word32(v, 24),
                         word32(v, 28), word32(v, 32), word32(v, 36), word32(v, 40)};
}

std::optional<VersionBlock::Translation> VersionBlock::firstTranslation() const {
    const Node* files = m_root ? m_root->child(QStringLiteral("VarFileInfo")) : nullptr;
    const Node* translations = files ? files->child(QStringLiteral("Translation")) : nullptr;
    if (!translations || translations->value.size() < 4)
        return std::nullopt;
    return Translation{word16(translations->value, 0), word16(translations->value, 2)};
}

std::optional<QString> VersionBlock::string(const QString& code, const QString& key) const {
    const Node* files = m_root ? m_root->child(QStringLiteral("StringFileInfo")) : nullptr;
    const Node* table = files ? files->child(code) : nullptr;
    const Node* entry = table ? table->child(key) : nullptr;
    if (!entry)
        return std::nullopt;
    QString text;
    for (int at = 0; at + 2 <= entry->value.size() && word16(entry->value, at) != 0; at += 2)
        text.append(QChar(word16(entry->value, at)));
    return text;
}
