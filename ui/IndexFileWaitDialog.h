#pragma once

#include <QDialog>

class QMovie;

namespace UpdatePelarin {

// Shown while the update information is still on its way; it has no buttons and is closed by its
// owner when the index file has arrived.
class IndexFileWaitDialog : public QDialog
{
    Q_OBJECT

public:
    explicit IndexFileWaitDialog(QWidget* parent = nullptr);

private:
    QMovie* m_movie;
};

} // namespace UpdatePelarin
