#pragma once

#include <QProgressDialog>

class VersionChecker;

// The progress of the update download, from the user's "Yes" until the
// installer is ready or the download fails; Cancel stops the download and
// removes the partial file, and the program goes on with this version.
class UpdateProgressDialog : public QProgressDialog
{
    Q_OBJECT

public:
    static constexpr int steps = 1000;

    explicit UpdateProgressDialog(VersionChecker *checker, QWidget *parent = nullptr);

    void onStarted(const QString &version, qint64 total);
    void onProgress(qint64 received, qint64 total);

private:
    void onEnded();

    VersionChecker *m_checker;
};
