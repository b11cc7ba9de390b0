#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// A VS_VERSIONINFO block as Windows lays out its version resources. Parsing never reads past the block:
// a structure whose lengths do not fit inside its parent counts as absent, and so does all that follows
// it there.
class VersionBlock {
public:
    struct FixedFileInfo {
        quint32 fileVersionMS = 0;
        quint32 fileVersionLS = 0;
        quint32 productVersionMS = 0;
        quint32 productVersionLS = 0;
        quint32 fileFlagsMask = 0;
        quint32 fileFlags = 0;
        quint32 fileOS = 0;
        quint32 fileType = 0;
        quint32 fileSubtype = 0;
    };
    struct Translation {
        quint16 language = 0;
        quint16 codePage = 0;
    };

    explicit VersionBlock(const QByteArray& bytes);

    std::optional<FixedFileInfo> fixedFileInfo() const;
    // The first entry of "VarFileInfo\Translation".
    std::optional<Translation> firstTranslation() const;
    // "StringFileInfo\<code>\<key>", both names matched without regard to letter case.
    std::optional<QString> string(const QString& code, const QString& key) const;

private:
    struct Node {
        QString key;
        QByteArray value;
        QList<Node> children;
        const Node* child(const QString& key) const;
    };
    static std::optional<Node> parse(const QByteArray& bytes, int at, int end, int depth, int& length);

    std::optional<Node> m_root;
};
