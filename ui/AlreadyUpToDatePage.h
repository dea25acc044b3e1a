#pragma once

#include "ui/ResultPage.h"

namespace UpdatePelarin {

// The last page when the device needs no update, or, once SetUpdateSupported(false) was called,
// when this program has no update for the device's configuration at all.
class AlreadyUpToDatePage : public ResultPage
{
    Q_OBJECT

public:
    explicit AlreadyUpToDatePage(QWidget* parent = nullptr);

    // Only false changes the page, for good: the not-supported message replaces the version.
    void SetUpdateSupported(bool supported);

signals:
    void ContactRequested();

private slots:
    void on_message_linkActivated(const QString& link);

private:
    void RetranslateUi();

    bool m_updateSupported = true;
};

} // namespace UpdatePelarin
