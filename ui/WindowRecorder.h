#pragma once

#include <QObject>
#include <QSet>
#include <QString>

class QWidget;

namespace UpdatePelarin {

// A test aid for runs of the real program: with TESSARY_UI_RECORD naming a folder, every window and
// wizard page that appears is written there as a picture ("NN-name.png") with the places of its
// named widgets on the screen ("NN-name.txt", "name x y width height" a line), and trace.txt gets a
// line "milliseconds-since-epoch event name" for each appearance and each message a second start
// sends. Without the variable nothing is recorded.
class WindowRecorder : public QObject
{
    Q_OBJECT

public:
    // Starts recording when the environment asks for it; call once the application object exists.
    static void StartIfRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit WindowRecorder(const QString& folder);
    void Trace(const QString& event, const QString& name);
    void Record(QWidget* shown);
    void OnMessage(const QString& message);

    QString m_folder;
    int m_count = 0;
    QSet<QObject*> m_visible;
};

} // namespace UpdatePelarin
