#pragma once

#include "tools/HeadsetSurvey.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

// How a run of tessary-update ended.
struct UpdateOutcome
{
    int exitCode = 0;
    QString result;       // "updated", "up-to-date", "listed", "failed" or "stopped"
    QString errorCode;    // empty on success
    QString errorMessage; // the reason, for the log-minded reader
    QString text;         // the closing line for a person
};

// What tessary-update tells its user: progress as the run goes, and the outcome, either as text or as
// one JSON document on standard output (progress then goes to standard error, so that the document
// can be piped as it is).
class UpdateReport
{
public:
    explicit UpdateReport(bool json);

    // Progress and findings.
    void Say(const QString& line);
    // Always on standard error.
    void Warn(const QString& line);

    // The headset being updated, as it was found.
    void SetDevice(const SurveyedHeadset& headset, const QString& productName);
    void SetTarget(const QString& version) { m_target = version; }
    void SetAfter(const QList<QString>& versions) { m_after = versions; }
    // One headset of a listing, with what the index file offers for it and why it could not be read.
    void AddListed(const SurveyedHeadset& headset, const QString& productName, const QStringList& offered,
                   const QString& newest, bool updateAvailable, const QString& errorMessage);

    // Says the outcome's closing line and, in JSON mode, writes the document.
    void Finish(const UpdateOutcome& outcome, bool listing);

private:
    bool m_json;
    QTextStream m_out;
    QTextStream m_err;
    QJsonObject m_device;
    QList<QString> m_before;
    QList<QString> m_after;
    QString m_target;
    QJsonArray m_listed;
};
