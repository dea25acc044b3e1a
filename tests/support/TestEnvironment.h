#pragma once

#include "app/OrvoException.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace TestSupport {

// Where the build put the programs (Tessary, Calvast, tools); set by CTest.
QString BinaryDirectory();
// The source tree, for tests/data and dist/.
QString SourceDirectory();

// Writes text to a file, creating its folder; fails the calling test through QVERIFY-free return.
bool WriteFile(const QString& path, const QByteArray& content);
QByteArray ReadFile(const QString& path);

// A temporary program folder (TESSARY_APP_DIR) holding a Config.xml with the given body between
// the root element's tags, plus the mandatory keys unless the body sets them.
class TemporaryBundle
{
public:
    explicit TemporaryBundle(const QString& configBody = QString(), bool addMandatoryKeys = true);
    QString Path() const { return m_dir.path(); }
    QString FilePath(const QString& name) const { return m_dir.filePath(name); }
    bool IsValid() const { return m_dir.isValid(); }
    void WriteConfig(const QString& configBody, bool addMandatoryKeys = true);

private:
    QTemporaryDir m_dir;
};

// Lines of a log file that contain the text.
QStringList LinesContaining(const QString& path, const QString& text);

// "code: message" of a reported exception, empty for none, so that one comparison shows both.
QString FailureText(const OrvoCommon::ExceptionPtr& exception);

} // namespace TestSupport
