#include "app/VersionInfoReader.h"

#include "app/ElfSection.h"
#include "app/VersionBlock.h"

namespace {

// Lookup lists: each entry is a key, "=" and a name.
const QStringList& languages() {
    static const QStringList list{
        "0401=Arabic",
        "0402=Bulgarian",
        "0403=Catalan",
        "0404=Traditional Chinese",
        "0405=Czech",
        "0406=Danish",
        "0407=German",
        "0408=Greek",
        "0409=U.S. English",
        "040A=Castilian Spanish",
        "040B=Finnish",
        "040C=French",
        "040D=Hebrew",
        "040E=Hungarian",
        "040F=Icelandic",
        "0410=Italian",
        "0411=Japanese",
        "0412=Korean",
        "0413=Dutch",
        "0414=Norwegian - Bokmål",
        "0415=Polish",
        "0416=Brazilian Portuguese",
        "0417=Rhaeto-Romanic",
        "0418=Romanian",
        "0419=Russian",
        "041A=Croato-Serbian (Latin)",
        "041B=Slovak",
        "041C=Albanian",
        "041D=Swedish",
        "041E=Thai",
        "041F=Turkish",
        "0420=Urdu",
        "0421=Bahasa",
        "0804=Simplified Chinese",
        "0807=Swiss German",
        "0809=U.K. English",
        "080A=Mexican Spanish",
        "080C=Belgian French",
        "0810=Swiss Italian",
        "0813=Belgian Dutch",
        "0814=Norwegian - Nynorsk",
        "0816=Portuguese",
        "081A=Serbo-Croatian (Cyrillic)",
        "0C0C=Canadian French",
        "100C=Swiss French",
    };
    return list;
}

const QStringList& characterSets() {
    static const QStringList list{
        "0000=7-bit ASCII",
        "03A4=Windows, Japan (Shift - JIS X-0208)",
        "03B5=Windows, Korea (Shift - KSC 5601)",
        "03B6=Windows, Taiwan (GB5)",
        "04B0=Unicode",
        "04E2=Windows, Latin-2 (Eastern European)",
        "04E3=Windows, Cyrillic",
        "04E4=Windows, Multilingual",
        "04E5=Windows, Greek",
        "04E6=Windows, Turkish",
        "04E7=Windows, Hebrew",
        "04E8=Windows, Arabic",
    };
    return list;
}

const QStringList& operatingSystemsHigh() {
    static const QStringList list{"0=Unknown", "1=DOS", "2=OS/2 16 bits", "3=OS/2 32 bits", "4=Windows NT"};
    return list;
}

const QStringList& operatingSystemsLow() {
    static const QStringList list{"0= ", "1=Windows 16 bits", "2=PM 16 bits", "3=PM 32 bits",
                                  "4=Windows 32 bits"};
    return list;
}

const QStringList& fileTypes() {
    static const QStringList list{"0=Unknown", "1=Application", "2=DLL",           "3=Device Driver",
                                  "4=Font",    "5=VxD",         "7=Static Library"};
    return list;
}

const QStringList& driverSubtypes() {
    static const QStringList list{"0=Unknown",     "1=Printer", "2=Keyboard",      "3=Language",
                                  "4=Display",     "5=Mouse",   "6=Network",       "7=System",
                                  "8=Installable", "9=Sound",   "10=Communication"};
    return list;
}

const QStringList& fontSubtypes() {
    static const QStringList list{"0=Unknown", "1=Raster", "2=Vector", "3=TrueType"};
    return list;
}

// The name after the first "=" of the entry whose key matches; empty for an unknown key.
QString nameOf(const QStringList& list, const QString& key) {
    const QString prefix = key + QLatin1Char('=');
    for (const QString& entry : list) {
        if (entry.startsWith(prefix, Qt::CaseInsensitive))
            return entry.mid(prefix.size());
    }
    return {};
}

QString versionText(quint32 mostSignificant, quint32 leastSignificant) {
    return QStringLiteral("%1.%2.%3.%4")
        .arg(mostSignificant >> 16)
        .arg(mostSignificant & 0xFFFF)
        .arg(leastSignificant >> 16)
        .arg(leastSignificant & 0xFFFF);
}

QString hex4(quint16 number) {
    return QStringLiteral("%1").arg(number, 4, 16, QLatin1Char('0')).toUpper();
}

QString flagText(bool flag) {
    return flag ? QStringLiteral("1") : QStringLiteral("0");
}

const QStringList stringKeys{"Comments",     "CompanyName",    "FileDescription", "FileVersion",
                             "InternalName", "LegalCopyright", "LegalTrademarks", "OriginalFileName",
                             "ProductName",  "ProductVersion"};

} // namespace

VersionInfoReader::VersionInfoReader(QObject* parent) : QObject(parent) {}

void VersionInfoReader::ClearInfos() {
    m_infos.clear();
    m_lastError = NoError;
    m_debug = m_patched = m_preRelease = m_privateBuild = m_specialBuild = false;
}

void VersionInfoReader::ReadVersionInfo() {
    ClearInfos();
    const ElfSection section = ElfSection::find(m_fileName, SectionName);
    if (section.size() == 0) {
        m_lastError = NoVersionInfo;
        return;
    }
    if (section.size() > MaximumSize) {
        m_lastError = VersionInfoTooLarge;
        return;
    }
    const std::optional<QByteArray> bytes = section.read();
    if (!bytes) {
        m_lastError = VersionInfoUnreadable;
        return;
    }
    const VersionBlock block(*bytes);
    addFixedFileInfo(block);
    addTranslatedStrings(block);
}

QString VersionInfoReader::value(const QString& name) const {
    for (const QString& line : m_infos) {
        const qsizetype separator = line.indexOf(QLatin1Char('='));
        if (line.left(separator).compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(separator + 1);
    }
    return {};
}

void VersionInfoReader::addFixedFileInfo(const VersionBlock& block) {
    const std::optional<VersionBlock::FixedFileInfo> info = block.fixedFileInfo();
    if (!info)
        return;
    addLine(QStringLiteral("InternalFileVersion"), versionText(info->fileVersionMS, info->fileVersionLS));
    addLine(QStringLiteral("InternalProductVersion"),
            versionText(info->productVersionMS, info->productVersionLS));
    addLine(QStringLiteral("OSVersion"),
            nameOf(operatingSystemsHigh(), QString::number(info->fileOS >> 16)) + QStringLiteral(" - ") +
                nameOf(operatingSystemsLow(), QString::number(info->fileOS & 0xFFFF)));
    addLine(QStringLiteral("FileType"), nameOf(fileTypes(), QString::number(info->fileType)));
    const QString subtype = QString::number(info->fileSubtype);
    if (info->fileType == 3)
        addLine(QStringLiteral("FileSubType"), nameOf(driverSubtypes(), subtype));
    else if (info->fileType == 4)
        addLine(QStringLiteral("FileSubType"), nameOf(fontSubtypes(), subtype));
    else
        addLine(QStringLiteral("FileSubType"), QString());

    const quint32 flags = info->fileFlags & info->fileFlagsMask;
    m_debug = flags & 0x01;
    m_patched = flags & 0x04;
    m_preRelease = flags & 0x02;
    m_privateBuild = flags & 0x08;
    m_specialBuild = flags & 0x20;
    addLine(QStringLiteral("FlagDebug"), flagText(m_debug));
    addLine(QStringLiteral("FlagPatched"), flagText(m_patched));
    addLine(QStringLiteral("FlagPreRelease"), flagText(m_preRelease));
    addLine(QStringLiteral("FlagPrivateBuild"), flagText(m_privateBuild));
    addLine(QStringLiteral("FlagSpecialBuild"), flagText(m_specialBuild));
}

void VersionInfoReader::addTranslatedStrings(const VersionBlock& block) {
    const std::optional<VersionBlock::Translation> translation = block.firstTranslation();
    if (!translation)
        return;
    const QString code = hex4(translation->language) + hex4(translation->codePage);
    addLine(QStringLiteral("Language"), nameOf(languages(), code.left(4)));
    addLine(QStringLiteral("CharSet"), nameOf(characterSets(), code.right(4)));
    for (const QString& key : stringKeys) {
        if (const std::optional<QString> text = block.string(code, key))
            addLine(key, *text);
    }
    if (m_privateBuild) {
        if (const std::optional<QString> text = block.string(code, QStringLiteral("PrivateBuild")))
            addLine(QStringLiteral("PrivateBuildInfos"), *text);
    }
    if (m_specialBuild) {
        if (const std::optional<QString> text = block.string(code, QStringLiteral("SpecialBuild")))
            addLine(QStringLiteral("SpecialBuildInfos"), *text);
    }
}

void VersionInfoReader::addLine(const QString& name, const QString& value) {
    m_infos.append(name + QLatin1Char('=') + value);
}
