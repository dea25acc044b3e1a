// The shipped catalogues: they hold exactly the texts the sources have, every text is finished in
// every language with its markup, placeholders and names intact, and the compiled catalogues beside
// the program say what the sources say.

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

#include <optional>

namespace {

struct Message
{
    QString context;
    QString source;
    QString comment;
    QString translation;
    QString type; // "unfinished", "obsolete", "vanished" or empty when finished

    QString Key() const { return context + QLatin1Char('|') + source + QLatin1Char('|') + comment; }
};

std::optional<QList<Message>> ReadCatalogue(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QList<Message> messages;
    QString context;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            Message message{context, {}, {}, {}, {}};
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("source")) {
                    message.source = xml.readElementText();
                } else if (xml.name() == QLatin1String("comment")) {
                    message.comment = xml.readElementText();
                } else if (xml.name() == QLatin1String("translation")) {
                    message.type = xml.attributes().value(QLatin1String("type")).toString();
                    message.translation = xml.readElementText();
                } else {
                    xml.skipCurrentElement();
                }
            }
            messages << message;
        }
    }
    if (xml.hasError())
        return std::nullopt;
    return messages;
}

QString SourceDir()
{
    return QString::fromLocal8Bit(qgetenv("TESSARY_SOURCE_DIR"));
}

QStringList Languages()
{
    return QStringLiteral(TESSARY_LANGUAGES).split(QLatin1Char(' '));
}

QString CataloguePath(const QString& code)
{
    return SourceDir() + QStringLiteral("/translations/ui_%1.ts").arg(code);
}

// Every match of pattern, sorted, so that order may change between languages but not the count.
QStringList Matches(const QString& text, const QRegularExpression& pattern)
{
    QStringList found;
    QRegularExpressionMatchIterator it = pattern.globalMatch(text);
    while (it.hasNext())
        found << it.next().captured().simplified().toLower();
    found.sort();
    return found;
}

const QRegularExpression Tag(QStringLiteral("<[^>]*>"));
const QRegularExpression Entity(QStringLiteral("&(#[0-9]+|#x[0-9a-fA-F]+|[a-zA-Z]+);"));
const QRegularExpression Placeholder(QStringLiteral("%[0-9]+"));
// Brand and product names stay as they are in every language.
const char* const Names[] = {"Orvo", "ZR3h", "Bluetooth", "BLUETOOTH"};
// The English sources were written for Windows; the program runs on Linux.
const QLatin1String Windows("Windows");

QStringList ProblemsOf(const QString& code, const Message& message)
{
    QStringList problems;
    const auto problem = [&](const QString& what) {
        problems << QStringLiteral("%1 [%2] \"%3\": %4").arg(code, message.context, message.source.left(60), what);
    };
    if (!message.type.isEmpty())
        problem(QStringLiteral("marked %1").arg(message.type));
    if (message.translation.isEmpty() != message.source.isEmpty())
        problem(QStringLiteral("no translation"));
    if (Matches(message.translation, Tag) != Matches(message.source, Tag))
        problem(QStringLiteral("markup differs"));
    if (Matches(message.translation, Entity) != Matches(message.source, Entity))
        problem(QStringLiteral("entities differ"));
    if (Matches(message.translation, Placeholder) != Matches(message.source, Placeholder))
        problem(QStringLiteral("placeholders differ"));
    for (const char* name : Names) {
        if (message.source.contains(QLatin1String(name)) && !message.translation.contains(QLatin1String(name)))
            problem(QStringLiteral("lost \"%1\"").arg(QLatin1String(name)));
    }
    if (message.translation.contains(Windows))
        problem(QStringLiteral("names Windows"));
    // English keeps every text that does not name Windows word for word.
    if (code == QLatin1String("en") && !message.source.contains(Windows) && message.translation != message.source)
        problem(QStringLiteral("English rewords a text that needs no Linux wording"));
    return problems;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void cataloguesFollowTheSources()
    {
        QTemporaryDir temp;
        const QString fresh = temp.filePath(QStringLiteral("ui_check.ts"));
        QStringList arguments{QStringLiteral("-I"), SourceDir(), QStringLiteral("-no-obsolete"),
                              QStringLiteral("-locations"), QStringLiteral("none")};
        arguments << QStringLiteral(TESSARY_TEXT_FOLDERS).split(QLatin1Char(' ')) << QStringLiteral("-ts") << fresh;
        QProcess lupdate;
        lupdate.setWorkingDirectory(SourceDir());
        lupdate.start(QStringLiteral(TESSARY_LUPDATE), arguments);
        QVERIFY(lupdate.waitForFinished(60000));
        QCOMPARE(lupdate.exitCode(), 0);

        const std::optional<QList<Message>> sources = ReadCatalogue(fresh);
        QVERIFY(sources && !sources->isEmpty());
        QStringList expected;
        for (const Message& message : *sources)
            expected << message.Key();
        expected.sort();

        for (const QString& code : Languages()) {
            const std::optional<QList<Message>> shipped = ReadCatalogue(CataloguePath(code));
            QVERIFY2(shipped, qPrintable(CataloguePath(code)));
            QStringList keys;
            for (const Message& message : *shipped)
                keys << message.Key();
            keys.sort();
            QVERIFY2(keys == expected, qPrintable(QStringLiteral("ui_%1.ts is out of date; build the target "
                                                                 "update_translations and translate")
                                                      .arg(code)));
        }
    }

    void everyTextIsTranslated_data()
    {
        QTest::addColumn<QString>("code");
        for (const QString& code : Languages())
            QTest::newRow(qPrintable(code)) << code;
    }

    void everyTextIsTranslated()
    {
        QFETCH(QString, code);
        const std::optional<QList<Message>> messages = ReadCatalogue(CataloguePath(code));
        QVERIFY(messages);
        QStringList problems;
        for (const Message& message : *messages)
            problems << ProblemsOf(code, message);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    // The .qm beside the program is built from the catalogue as it is now.
    void compiledCatalogueMatches_data() { everyTextIsTranslated_data(); }

    void compiledCatalogueMatches()
    {
        QFETCH(QString, code);
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral("ui_") + code, QString::fromLocal8Bit(qgetenv("TESSARY_BIN_DIR"))));
        const std::optional<QList<Message>> messages = ReadCatalogue(CataloguePath(code));
        QVERIFY(messages);
        for (const Message& message : *messages) {
            const QString compiled =
                translator.translate(message.context.toUtf8().constData(), message.source.toUtf8().constData(),
                                     message.comment.isEmpty() ? nullptr : message.comment.toUtf8().constData());
            QCOMPARE(compiled, message.translation);
        }
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "TestTranslations.moc"
