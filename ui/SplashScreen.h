#pragma once

#include <QSplashScreen>

class QLabel;

namespace UpdatePelarin {

// The start-up picture with the program's name and version. Clicks and close requests leave it
// where it is: its owner removes it by deleting it when its time is up.
class SplashScreen : public QSplashScreen
{
    Q_OBJECT

public:
    SplashScreen();

    // Lays both labels out right to left, for right-to-left languages.
    void SetRightToLeft();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_appName;
    QLabel* m_version;
};

} // namespace UpdatePelarin
