#pragma once

#include <QByteArray>
#include <QtEndian>

// Little-endian fields of a byte buffer read from a file. A field that does not lie wholly inside the
// buffer reads as 0, so a damaged length or offset in the file can never lead to a read outside it.
namespace LittleEndian {

template <typename T> T fieldAt(const QByteArray& bytes, qsizetype at) {
    if (at < 0 || at > bytes.size() - qsizetype(sizeof(T)))
        return 0;
    return qFromLittleEndian<T>(bytes.constData() + at);
}

inline quint16 word16(const QByteArray& bytes, qsizetype at) {
    return fieldAt<quint16>(bytes, at);
}
inline quint32 word32(const QByteArray& bytes, qsizetype at) {
    return fieldAt<quint32>(bytes, at);
}
inline quint64 word64(const QByteArray& bytes, qsizetype at) {
    return fieldAt<quint64>(bytes, at);
}

} // namespace LittleEndian
