#include "app/ProgramFiles.h"

#include <QRegularExpression>
#include <QStringList>

namespace OrvoCommon {

namespace {

// Whole-name patterns of the program's own files, case-insensitive.
const char* const ProgramFilePatterns[] = {
    ".*\\.pem",                 // HTTPS trust store of the uploader, keys trusted to sign index files
    ".*\\.sig",                 // the index file's signature
    "config\\.xml",             // settings
    "eula_.*\\.htm",            // licence texts
    "ui(_[^.]*)?(\\.qm)?",      // translations, and the names QTranslator falls back to
    "qt\\.conf",                // read by Qt itself when the program starts
    "supportpage",              // the local support page's folder
    "simulatedheadset\\.xml",   // simulated headset profile
    "usbdriver|usb64bitdriver", // USB driver folders
    "firmwarefiles",            // the bundle's firmware folder
    "tessary|calvast|tessary-update|tessary-pack|tessary-simbed", // programs
    ".*\\.so(\\..*)?",                                            // shared libraries
    "(updateskerrowerror|orvoerror|tessaryupdate)\\.log",         // logs
    "(updateskerrow|orvo|tessaryupdate)tempfiles\\.txt",          // temporary-file lists
};

// One expression for the whole list: an index file may hold thousands of names to check.
const QRegularExpression& Pattern()
{
    static const QRegularExpression pattern = [] {
        QStringList alternatives;
        for (const char* alternative : ProgramFilePatterns)
            alternatives.append(QStringLiteral("(?:%1)").arg(QLatin1String(alternative)));
        return QRegularExpression(QRegularExpression::anchoredPattern(alternatives.join(QLatin1Char('|'))),
                                  QRegularExpression::CaseInsensitiveOption);
    }();
    return pattern;
}

} // namespace

bool IsProgramFileName(const QString& fileName)
{
    return Pattern().match(fileName).hasMatch();
}

} // namespace OrvoCommon
