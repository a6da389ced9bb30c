#include "app/UpdateProgressDialog.h"

#include "app/VersionChecker.h"

#include <QLocale>

#include <algorithm>

UpdateProgressDialog::UpdateProgressDialog(VersionChecker *checker, QWidget *parent)
    : QProgressDialog(parent)
    , m_checker(checker)
{
    setObjectName(QStringLiteral("updateProgressDialog"));
    setWindowTitle(tr("Update"));
    // Nothing else may be on screen while the installer downloads.
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setRange(0, steps);
    setAutoClose(false);
    setAutoReset(false);
    setMinimumDuration(0);
    setMinimumWidth(420);
    // QProgressDialog shows itself after a while unless it is reset at once.
    reset();
    hide();
    if (!checker)
        return;
    connect(checker, &VersionChecker::downloadStarted, this, &UpdateProgressDialog::onStarted);
    connect(checker, &VersionChecker::downloadProgress, this, &UpdateProgressDialog::onProgress);
    connect(checker, &VersionChecker::installerReady, this, &UpdateProgressDialog::onEnded);
    connect(checker, &VersionChecker::finished, this, &UpdateProgressDialog::onEnded);
    connect(this, &QProgressDialog::canceled, checker, &VersionChecker::cancelDownload);
}

void UpdateProgressDialog::onStarted(const QString &version, qint64 total)
{
    setLabelText(tr("Downloading version %1 of the client...").arg(version));
    setValue(0);
    onProgress(0, total);
    show();
    raise();
}

void UpdateProgressDialog::onProgress(qint64 received, qint64 total)
{
    const QLocale locale;
    const double mib = 1024.0 * 1024.0;
    setLabelText(
        labelText().section(QLatin1Char('\n'), 0, 0) + QLatin1Char('\n')
        + tr("%1 of %2 MB")
              .arg(locale.toString(double(received) / mib, 'f', 1), locale.toString(double(total) / mib, 'f', 1)));
    if (total > 0)
        setValue(int(std::clamp<qint64>(received * steps / total, 0, steps)));
}

void UpdateProgressDialog::onEnded()
{
    hide();
}
