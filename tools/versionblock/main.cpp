// Writes the version block that the build places into the executable's version section.
// Usage: versionblock <output file> <version a.b.c.d> [Key=Value ...]
// The strings go, in the order given, into the Dutch / Windows-1252 string table.
#include "VersionBlockWriter.h"

#include <QSaveFile>
#include <QStringList>
#include <cstdio>
#include <stdexcept>

namespace {

std::array<quint16, 4> parseVersion(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() > 4)
        throw std::invalid_argument("a version has at most four numbers");
    std::array<quint16, 4> version{};
    for (int i = 0; i < parts.size(); ++i) {
        bool ok = false;
        const uint number = parts[i].toUInt(&ok);
        if (!ok || number > 0xFFFF)
            throw std::invalid_argument("each version number must lie between 0 and 65535");
        version[i] = quint16(number);
    }
    return version;
}

VersionBlockContent productContent(const QStringList& arguments) {
    VersionBlockContent content;
    content.fileVersion = parseVersion(arguments[2]);
    content.productVersion = content.fileVersion;
    VersionBlockContent::StringTable table{QStringLiteral("041304E4"), {}};
    for (const QString& argument : arguments.mid(3)) {
        const qsizetype separator = argument.indexOf(QLatin1Char('='));
        if (separator <= 0)
            throw std::invalid_argument("strings are given as Key=Value");
        table.strings.append({argument.left(separator), argument.mid(separator + 1)});
    }
    content.stringTables = {table};
    content.translations = {{0x0413, 1252}};
    return content;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error(file.errorString().toStdString());
}

} // namespace

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: versionblock <output file> <version a.b.c.d> [Key=Value ...]\n");
        return 2;
    }
    try {
        writeFile(arguments[1], writeVersionBlock(productContent(arguments)));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "versionblock: %s\n", error.what());
        return 1;
    }
    return 0;
}
