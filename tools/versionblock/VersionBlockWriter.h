#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <array>

// What goes into a VS_VERSIONINFO block, the version resource layout of Windows executables.
struct VersionBlockContent {
    struct Translation {
        quint16 language = 0;
        quint16 codePage = 0;
    };
    // One "StringFileInfo" table: its code (language and code page as eight hexadecimal digits) and its
    // strings in the order they are written. Keys are written exactly as given.
    struct StringTable {
        QString code;
        QList<QPair<QString, QString>> strings;
    };

    std::array<quint16, 4> fileVersion{};
    std::array<quint16, 4> productVersion{};
    quint32 fileFlagsMask = 0x3F;
    quint32 fileFlags = 0;
    quint32 fileOS = 0x00040004; // VOS_NT_WINDOWS32
    quint32 fileType = 1;        // VFT_APP
    quint32 fileSubtype = 0;
    // Without string tables no "StringFileInfo" is written, without translations no "VarFileInfo".
    QList<StringTable> stringTables;
    QList<Translation> translations;
};

// Lays the content out as Windows does: every structure starts with wLength, wValueLength and wType,
// keys are zero-terminated UTF-16LE, and values and children start on 32-bit boundaries.
// Throws std::length_error when the block would not fit the 16-bit length of its root.
QByteArray writeVersionBlock(const VersionBlockContent& content);
