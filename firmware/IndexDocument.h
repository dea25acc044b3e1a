#pragma once

#include <QByteArray>
#include <QPair>
#include <QString>
#include <QVector>

class QStringRef;
class QXmlStreamAttributes;

namespace OrvoCommon {

// The elements of the document that the catalogue is made of, gathered in one streaming pass so
// that a large index file needs no DOM tree. Elements are found by tag name wherever they sit;
// IMAGEs remember whether their ancestry is RELEASE, HARDWARE, DEVICE. Nothing here judges the
// values: IndexFile does, with its own messages.
struct IndexDocument
{
    // An element's attributes, copied out of the reader, whose own references live only until its next token.
    class Attributes
    {
    public:
        Attributes() = default;
        explicit Attributes(const QXmlStreamAttributes& attributes);

        bool hasAttribute(const QString& name) const;
        // Empty when absent.
        QString value(const QString& name) const;

    private:
        using Item = QPair<QString, QString>;

        static QString Intern(const QStringRef& name);

        QVector<Item> m_items;
    };

    struct HardwareRecord
    {
        Attributes attributes;
        QVector<int> patternMatches; // every PATTERNMATCH below it
    };
    struct ImageRecord
    {
        Attributes attributes;
        QString missingParent; // empty when the ancestry is right
        int release = -1;
        int hardware = -1;
        int device = -1;
    };

    QString rootName;
    QVector<Attributes> devices;
    QVector<HardwareRecord> hardware;
    QVector<Attributes> releases;
    QVector<QVector<Attributes>> patternMatches; // the REGEXes below each PATTERNMATCH
    QVector<ImageRecord> images;

    // Empty on success, else the reason the document cannot be read.
    QString Read(const QByteArray& content);
};

} // namespace OrvoCommon
