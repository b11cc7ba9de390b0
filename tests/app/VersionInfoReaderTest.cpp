#include "app/VersionInfoReader.h"
#include "VersionBlockWriter.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

Q_DECLARE_METATYPE(VersionBlockContent)

namespace {

using Strings = QList<QPair<QString, QString>>;

// The strings deliberately not in the order the reader asks for them.
Strings dutchStrings() {
    return {{"ProductVersion", "1.0.0.0"},
            {"CompanyName", "Viruv"},
            {"FileDescription", "Viruv Zelvan Transparantie"},
            {"FileVersion", "1.0.0.0"},
            {"InternalName", "ZelvanVODO"},
            {"LegalCopyright", "Copyright Viruv"},
            {"LegalTrademarks", ""},
            {"OriginalFileName", "ZelvanVODO"},
            {"ProductName", "Zelvan Transparantie"},
            {"Comments", "x=y"}};
}

VersionBlockContent dutchApplication() {
    VersionBlockContent content;
    content.fileVersion = {1, 0, 0, 0};
    content.productVersion = {1, 0, 0, 0};
    content.stringTables = {{"041304E4", dutchStrings()}};
    content.translations = {{0x0413, 1252}};
    return content;
}

const QStringList fixedLines{"InternalFileVersion=1.0.0.0",
                             "InternalProductVersion=1.0.0.0",
                             "OSVersion=Windows NT - Windows 32 bits",
                             "FileType=Application",
                             "FileSubType=",
                             "FlagDebug=0",
                             "FlagPatched=0",
                             "FlagPreRelease=0",
                             "FlagPrivateBuild=0",
                             "FlagSpecialBuild=0"};

void put16(QByteArray& bytes, int at, quint16 value) {
    qToLittleEndian(value, bytes.data() + at);
}
void put32(QByteArray& bytes, int at, quint32 value) {
    qToLittleEndian(value, bytes.data() + at);
}
void putAddress(QByteArray& bytes, int at, quint64 value, bool wide) {
    if (wide)
        qToLittleEndian(value, bytes.data() + at);
    else
        put32(bytes, at, quint32(value));
}

// Field offsets of the 64-bit fixture, for the rows that damage it.
constexpr int sectionTableAt = 40, entrySizeAt = 58, nameTableIndexAt = 62;
constexpr int sectionEntryAt = 64 + 2 * 64; // the third entry: the named section
constexpr int nameAt = 0, typeAt = 4, offsetAt = 24;

// A minimal ELF file: header, section table (null entry, name table, the section), names, and the
// section's contents last, so that cutting the file short cuts the contents only.
QByteArray elfFile(const QByteArray& sectionName, const QByteArray& contents, bool wide = true) {
    const int headerSize = wide ? 64 : 52;
    const int entrySize = wide ? 64 : 40;
    const QByteArray names = QByteArray(1, '\0') + ".shstrtab" + '\0' + sectionName + '\0';
    const int namesAt = headerSize + 3 * entrySize;
    const int contentsAt = (namesAt + names.size() + 7) & ~7;

    QByteArray file(contentsAt, '\0');
    file.replace(0, 7, QByteArray("\177ELF") + char(wide ? 2 : 1) + char(1) + char(1));
    put16(file, 16, 2);             // executable
    put16(file, 18, wide ? 62 : 3); // x86-64 or i386
    put32(file, 20, 1);             // version
    putAddress(file, wide ? 40 : 32, headerSize, wide);
    put16(file, wide ? 52 : 40, headerSize);
    put16(file, wide ? 58 : 46, entrySize);
    put16(file, wide ? 60 : 48, 3);
    put16(file, wide ? 62 : 50, 1);
    const auto putEntry = [&](int index, quint32 name, quint32 type, int at, int size) {
        const int entry = headerSize + index * entrySize;
        put32(file, entry, name);
        put32(file, entry + 4, type);
        putAddress(file, entry + (wide ? 24 : 16), at, wide);
        putAddress(file, entry + (wide ? 32 : 20), size, wide);
    };
    putEntry(1, 1, 3, namesAt, names.size());        // SHT_STRTAB
    putEntry(2, 11, 1, contentsAt, contents.size()); // SHT_PROGBITS
    file.replace(namesAt, names.size(), names);
    return file + contents;
}

QByteArray elfFile(const QByteArray& block) {
    return elfFile(VersionInfoReader::SectionName, block);
}

QByteArray patched(QByteArray bytes, int at, const QByteArray& patch) {
    bytes.replace(at, patch.size(), patch);
    return bytes;
}

QByteArray word16(quint16 value) {
    QByteArray bytes(2, '\0');
    put16(bytes, 0, value);
    return bytes;
}

QByteArray word32(quint32 value) {
    QByteArray bytes(4, '\0');
    put32(bytes, 0, value);
    return bytes;
}

// A valid block followed by zero bytes, exactly size bytes long; a padding string makes up the bulk.
QByteArray blockOfSize(int size) {
    const auto withPadding = [](int characters) {
        VersionBlockContent content = dutchApplication();
        content.stringTables[0].strings.append({"Padding", QString(characters, QLatin1Char('-'))});
        return writeVersionBlock(content);
    };
    int characters = (size - int(withPadding(0).size())) / 2;
    QByteArray block = withPadding(characters);
    while (block.size() > size)
        block = withPadding(--characters);
    return block + QByteArray(size - block.size(), '\0');
}

// Where the structure with this key starts in a block.
int structureAt(const QByteArray& block, const QString& key) {
    const QByteArray utf16(reinterpret_cast<const char*>(key.utf16()), key.size() * 2);
    return int(block.indexOf(utf16)) - 6;
}

} // namespace

class VersionInfoReaderTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;

    QString writeFile(const QByteArray& contents) {
        const QString path = m_dir.filePath(QString::number(++m_files));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    QStringList linesOf(const QByteArray& file) {
        VersionInfoReader reader;
        reader.setFileName(writeFile(file));
        reader.ReadVersionInfo();
        if (reader.LastError() != VersionInfoReader::NoError)
            qWarning("read failed with %d", reader.LastError());
        return reader.Infos();
    }

    static void compareSelected(const QStringList& lines, const QStringList& expected,
                                const QStringList& absentNames) {
        for (const QString& line : expected)
            QVERIFY2(lines.contains(line), qPrintable(line + " missing from " + lines.join(" | ")));
        for (const QString& name : absentNames) {
            for (const QString& line : lines)
                QVERIFY2(!line.startsWith(name + '='), qPrintable(line));
        }
    }

private slots:
    void exactLines_data() {
        QTest::addColumn<VersionBlockContent>("content");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("Dutch application: fixed lines, translation, strings in the reader's order")
            << dutchApplication()
            << fixedLines + QStringList{"Language=Dutch",
                                        "CharSet=Windows, Multilingual",
                                        "Comments=x=y",
                                        "CompanyName=Viruv",
                                        "FileDescription=Viruv Zelvan Transparantie",
                                        "FileVersion=1.0.0.0",
                                        "InternalName=ZelvanVODO",
                                        "LegalCopyright=Copyright Viruv",
                                        "LegalTrademarks=",
                                        "OriginalFileName=ZelvanVODO",
                                        "ProductName=Zelvan Transparantie",
                                        "ProductVersion=1.0.0.0"};

        VersionBlockContent untranslated = dutchApplication();
        untranslated.translations.clear();
        QTest::newRow("no translation table: the ten fixed lines only") << untranslated << fixedLines;
    }

    void exactLines() {
        QFETCH(VersionBlockContent, content);
        QFETCH(QStringList, expected);
        QCOMPARE(linesOf(elfFile(writeVersionBlock(content))), expected);
    }

    void selectedLines_data() {
        QTest::addColumn<VersionBlockContent>("content");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("absentNames");

        VersionBlockContent c = dutchApplication();
        c.fileVersion = {9, 0, 2, 100};
        c.productVersion = {65535, 0, 10, 7};
        QTest::newRow("versions without leading zeros, most significant part first")
            << c << QStringList{"InternalFileVersion=9.0.2.100", "InternalProductVersion=65535.0.10.7"}
            << QStringList{};

        c = dutchApplication();
        c.translations = {{0x0437, 1252}};
        c.stringTables = {{"043704E4", dutchStrings()}};
        QTest::newRow("unknown language")
            << c << QStringList{"Language=", "CharSet=Windows, Multilingual", "CompanyName=Viruv"}
            << QStringList{};

        c = dutchApplication();
        c.translations = {{0x0409, 1200}, {0x0413, 1252}};
        c.stringTables = {{"041304E4", dutchStrings()}, {"040904B0", {{"CompanyName", "Viruv US"}}}};
        QTest::newRow("two translations: only the first")
            << c << QStringList{"Language=U.S. English", "CharSet=Unicode", "CompanyName=Viruv US"}
            << QStringList{"ProductName"};

        c = dutchApplication();
        c.stringTables = {{"040904B0", dutchStrings()}};
        QTest::newRow("strings of another translation are not read")
            << c << QStringList{"Language=Dutch"} << QStringList{"CompanyName", "OriginalFileName"};

        c = dutchApplication();
        c.stringTables = {{"041304e4", {{"companyname", "Viruv"}, {"ORIGINALFILENAME", "ZelvanVODO"}}}};
        QTest::newRow("keys matched without regard to letter case")
            << c << QStringList{"CompanyName=Viruv", "OriginalFileName=ZelvanVODO"}
            << QStringList{"companyname", "ORIGINALFILENAME"};

        c = dutchApplication();
        c.fileType = 6;
        QTest::newRow("unknown file type") << c << QStringList{"FileType=", "FileSubType="} << QStringList{};

        c.fileType = 4;
        c.fileSubtype = 3;
        QTest::newRow("TrueType font")
            << c << QStringList{"FileType=Font", "FileSubType=TrueType"} << QStringList{};

        c.fileType = 3;
        c.fileSubtype = 1;
        QTest::newRow("printer driver")
            << c << QStringList{"FileType=Device Driver", "FileSubType=Printer"} << QStringList{};

        c.fileType = 1;
        c.fileSubtype = 3;
        QTest::newRow("an application has no subtype")
            << c << QStringList{"FileType=Application", "FileSubType="} << QStringList{};

        c = dutchApplication();
        c.fileOS = 0x00010001;
        QTest::newRow("DOS with Windows 16 bits")
            << c << QStringList{"OSVersion=DOS - Windows 16 bits"} << QStringList{};
        c.fileOS = 0;
        QTest::newRow("unknown operating system")
            << c << QStringList{"OSVersion=Unknown -  "} << QStringList{};

        c = dutchApplication();
        c.fileFlags = 0x04;
        QTest::newRow("patched only")
            << c << QStringList{"FlagDebug=0", "FlagPatched=1", "FlagPreRelease=0", "FlagPrivateBuild=0"}
            << QStringList{};

        c = dutchApplication();
        c.fileFlags = 0x2F;
        c.fileFlagsMask = 0x3E;
        c.stringTables[0].strings += Strings{{"PrivateBuild", "intern"}, {"SpecialBuild", "klant"}};
        QTest::newRow("flags where the mask allows them, with their build strings")
            << c
            << QStringList{"FlagDebug=0",
                           "FlagPatched=1",
                           "FlagPreRelease=1",
                           "FlagPrivateBuild=1",
                           "FlagSpecialBuild=1",
                           "PrivateBuildInfos=intern",
                           "SpecialBuildInfos=klant"}
            << QStringList{"PrivateBuild", "SpecialBuild"};

        c.fileFlags = 0;
        QTest::newRow("build strings without their flags")
            << c << QStringList{"FlagPrivateBuild=0", "FlagSpecialBuild=0"}
            << QStringList{"PrivateBuildInfos", "SpecialBuildInfos", "PrivateBuild", "SpecialBuild"};
    }

    void selectedLines() {
        QFETCH(VersionBlockContent, content);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, absentNames);
        compareSelected(linesOf(elfFile(writeVersionBlock(content))), expected, absentNames);
    }

    void damagedBlock_data() {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("absentNames");

        const QByteArray block = writeVersionBlock(dutchApplication());
        QTest::newRow("root longer than the section")
            << patched(block, 0, word16(quint16(block.size() + 4))) << QStringList{}
            << QStringList{"InternalFileVersion", "Language"};
        QTest::newRow("wrong signature: no fixed lines")
            << patched(block, 40, word32(0xFEEF04BC)) << QStringList{"Language=Dutch", "CompanyName=Viruv"}
            << QStringList{"InternalFileVersion", "FlagDebug"};
        QTest::newRow("fixed file information cut to its signature")
            << patched(block, 2, word16(4)) << QStringList{}
            << QStringList{"InternalFileVersion", "FlagDebug"};
        QTest::newRow("string value overruns its structure: it and those after it are absent")
            << patched(block, structureAt(block, "CompanyName") + 2, word16(0x7FFF))
            << QStringList{"ProductVersion=1.0.0.0", "Language=Dutch"}
            << QStringList{"CompanyName", "OriginalFileName"};
        QTest::newRow("key without its terminating zero")
            << patched(block, structureAt(block, "Translation"), word16(6 + 22))
            << QStringList{"InternalFileVersion=1.0.0.0"} << QStringList{"Language", "CharSet"};
    }

    void damagedBlock() {
        QFETCH(QByteArray, block);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, absentNames);
        compareSelected(linesOf(elfFile(block)), expected, absentNames);
    }

    void anyDamagedLengthIsSurvived() {
        const QByteArray block = writeVersionBlock(dutchApplication());
        VersionInfoReader reader;
        for (int at = 0; at + 2 <= block.size(); at += 2) {
            for (quint16 value : {0, 1, 5, 6, 0xFFFF}) {
                reader.setFileName(writeFile(elfFile(patched(block, at, word16(value)))));
                reader.ReadVersionInfo();
                QCOMPARE(reader.LastError(), int(VersionInfoReader::NoError));
                QVERIFY(reader.Infos().size() <= 22);
            }
        }
    }

    void fileOutcome_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("expectedError");

        const QByteArray block = writeVersionBlock(dutchApplication());
        const QByteArray elf = elfFile(block);
        QTest::newRow("64-bit ELF file") << "" << elf << 0;
        QTest::newRow("32-bit ELF file") << "" << elfFile(VersionInfoReader::SectionName, block, false) << 0;
        QTest::newRow("empty file name") << "<none>" << QByteArray() << 1;
        QTest::newRow("missing file") << "absent" << QByteArray() << 1;
        QTest::newRow("empty file") << "" << QByteArray("") << 1;
        QTest::newRow("text file") << "" << QByteArray("ELF version 1.0.0.0\n") << 1;
        QTest::newRow("ELF file without the section") << "" << elfFile(".data", block) << 1;
        QTest::newRow("big-endian ELF file") << "" << patched(elf, 5, "\2") << 1;
        QTest::newRow("section table beyond the end")
            << "" << patched(elf, sectionTableAt, QByteArray(8, '\xF0')) << 1;
        QTest::newRow("section entries too small") << "" << patched(elf, entrySizeAt, word16(8)) << 1;
        QTest::newRow("name table index out of range")
            << "" << patched(elf, nameTableIndexAt, word16(9)) << 1;
        QTest::newRow("section name outside the name table")
            << "" << patched(elf, sectionEntryAt + nameAt, word32(0xFFFFFFF0)) << 1;
        QTest::newRow("section without contents")
            << "" << patched(elf, sectionEntryAt + typeAt, word32(8)) << 1;
        QTest::newRow("largest block") << "" << elfFile(blockOfSize(65526)) << 0;
        QTest::newRow("block too large") << "" << elfFile(blockOfSize(65527)) << 2;
        QTest::newRow("file cut short") << "" << elf.chopped(10) << 3;
        QTest::newRow("contents beyond the end")
            << "" << patched(elf, sectionEntryAt + offsetAt, QByteArray(8, '\xF0')) << 3;
    }

    void fileOutcome() {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, contents);
        QFETCH(int, expectedError);
        VersionInfoReader reader;
        if (fileName.isEmpty())
            reader.setFileName(writeFile(contents));
        else if (fileName != "<none>")
            reader.setFileName(m_dir.filePath(fileName));
        reader.ReadVersionInfo();
        QCOMPARE(reader.LastError(), expectedError);
        QCOMPARE(reader.Infos().isEmpty(), expectedError != VersionInfoReader::NoError);
    }

    void readingAgainStartsOver() {
        VersionBlockContent content = dutchApplication();
        content.fileFlags = 0x08;
        const QString versioned = writeFile(elfFile(writeVersionBlock(content)));
        const QString unversioned = writeFile(elfFile(".data", {}));
        VersionInfoReader reader;
        reader.setFileName(versioned);
        reader.ReadVersionInfo();
        QVERIFY(reader.privateBuild());

        reader.setFileName(unversioned);
        QCOMPARE(reader.Infos().size(), 22); // setting the name read nothing
        reader.ReadVersionInfo();
        QCOMPARE(reader.LastError(), int(VersionInfoReader::NoVersionInfo));
        QCOMPARE(reader.Infos(), QStringList());
        QVERIFY(!reader.privateBuild());

        reader.ClearInfos();
        QCOMPARE(reader.LastError(), int(VersionInfoReader::NoError));
    }

    void valueFoundByNameInAnyCase() {
        VersionInfoReader reader;
        reader.setFileName(writeFile(elfFile(writeVersionBlock(dutchApplication()))));
        reader.ReadVersionInfo();
        QCOMPARE(reader.value("internalFILEversion"), QString("1.0.0.0"));
        QCOMPARE(reader.value("Comments"), QString("x=y"));
        QCOMPARE(reader.value("PrivateBuildInfos"), QString());
        QCOMPARE(reader.value("Internal"), QString());
    }

    void fixtureBlocksUseTheWindowsLayout() {
        VersionBlockContent content = dutchApplication();
        content.fileVersion = {9, 0, 2, 100};
        const QByteArray block = writeVersionBlock(content);
        const auto at16 = [&](int at) { return qFromLittleEndian<quint16>(block.constData() + at); };
        const auto at32 = [&](int at) { return qFromLittleEndian<quint32>(block.constData() + at); };
        const auto utf16 = [](const char* text) {
            const QString key = QString::fromLatin1(text);
            return QByteArray(reinterpret_cast<const char*>(key.utf16()), (key.size() + 1) * 2);
        };

        QCOMPARE(at16(0), quint16(block.size())); // wLength
        QCOMPARE(at16(2), quint16(52));           // wValueLength: VS_FIXEDFILEINFO
        QCOMPARE(at16(4), quint16(0));            // wType: binary
        QCOMPARE(block.mid(6, 32), utf16("VS_VERSION_INFO"));
        QCOMPARE(at32(40), 0xFEEF04BDu);
        QCOMPARE(at32(48), 0x00090000u);
        QCOMPARE(at32(52), 0x00020064u);
        QCOMPARE(at32(72), 0x00040004u); // VOS_NT_WINDOWS32
        QCOMPARE(at32(76), 1u);          // VFT_APP
        QCOMPARE(at16(94), quint16(0));
        QCOMPARE(at16(96), quint16(1));
        QCOMPARE(block.mid(98, 30), utf16("StringFileInfo"));
        const int translation = structureAt(block, "Translation");
        QCOMPARE(translation % 4, 0);
        QCOMPARE(at16(translation), quint16(block.size() - translation));
        QCOMPARE(at16(translation + 2), quint16(4));
        QCOMPARE(block.right(4), QByteArray("\x13\x04\xE4\x04", 4));
    }

    void executableCarriesTheProjectVersion_data() {
        QTest::addColumn<bool>("stripped");
        QTest::newRow("as built") << false;
        QTest::newRow("stripped for installation") << true;
    }

    void executableCarriesTheProjectVersion() {
        QFETCH(bool, stripped);
        QString executable = QStringLiteral(ZELVAN_EXECUTABLE);
        if (stripped) {
            const QString copy = m_dir.filePath(QStringLiteral("stripped"));
            QVERIFY(QFile::copy(executable, copy));
            QProcess strip;
            strip.start(QStringLiteral("strip"), {QStringLiteral("--strip-all"), copy});
            QVERIFY(strip.waitForFinished());
            QCOMPARE(strip.exitCode(), 0);
            executable = copy;
        }
        VersionInfoReader reader;
        reader.setFileName(executable);
        reader.ReadVersionInfo();
        QCOMPARE(reader.LastError(), int(VersionInfoReader::NoError));
        QVERIFY(reader.Infos().contains("InternalFileVersion=" ZELVAN_PROJECT_VERSION));
        QVERIFY(reader.Infos().contains("OriginalFileName=ZelvanVODO"));
        QVERIFY(reader.Infos().contains("FileDescription=Viruv Zelvan Transparantie"));
    }
};

QTEST_MAIN(VersionInfoReaderTest)
#include "VersionInfoReaderTest.moc"
