#include "social/AvatarDialog.h"
#include "ui_AvatarDialog.h"

#include "social/Avatar.h"
#include "social/AvatarDelegate.h"
#include "social/Logging.h"
#include "widgets/ModelessMsgBox.h"
#include "widgets/Utils.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QStandardItemModel>

AvatarDialog::AvatarDialog(QWidget *parent)
    : MahjongDialog(parent, MahjongDialog::HideTitleBar)
    , m_content(new QWidget(this))
    , m_ui(std::make_unique<Ui::AvatarDialog>())
{
    m_ui->setupUi(m_content);
    m_content->setFixedSize(318, 399);
    m_model = new QStandardItemModel(m_content);
    connect(m_ui->avatarView, &QAbstractItemView::doubleClicked, this, &AvatarDialog::onAvatarDoubleClicked);
    m_ui->avatarView->setItemDelegate(new AvatarDelegate(m_ui->avatarView));
    m_ui->avatarView->setModel(m_model);
    loadAvatars();
    m_ui->avatarView->setCurrentIndex(m_model->index(0, 0));
    setWidget(m_content);
    QMetaObject::connectSlotsByName(this);
}

AvatarDialog::~AvatarDialog()
{
    restoreCursor();
}

int AvatarDialog::avatarCount() const
{
    return m_model->rowCount();
}

void AvatarDialog::setCurrentPicture(const QImage &picture)
{
    const QImage wanted = picture.scaled(Avatar::Side, Avatar::Side, Qt::KeepAspectRatio, Qt::FastTransformation)
                              .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QAbstractItemView *view = m_ui->avatarView;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const QModelIndex index = m_model->index(row, 0);
        if (index.data().value<Avatar>().image.convertToFormat(QImage::Format_ARGB32_Premultiplied) == wanted) {
            view->setCurrentIndex(index);
            view->scrollTo(index);
            return;
        }
    }
    view->selectionModel()->clear();
}

void AvatarDialog::loadAvatars()
{
    const QStringList filters{QStringLiteral("*.bmp"), QStringLiteral("*.jpg"), QStringLiteral("*.gif"),
                              QStringLiteral("*.png")};
    for (const QString &path : QDir::searchPaths(QStringLiteral("avatars"))) {
        const QFileInfoList files = QDir(path).entryInfoList(filters, QDir::Files, QDir::Name);
        for (const QFileInfo &file : files) {
            const QImage image(file.absoluteFilePath());
            if (image.isNull()) {
                qCWarning(lcSocial) << "failed to load default avatar from" << file.absoluteFilePath();
                continue;
            }
            addImage(image);
        }
    }
}

void AvatarDialog::addImage(const QImage &image)
{
    auto *item = new QStandardItem;
    item->setEditable(false);
    item->setData(QVariant::fromValue(
                      Avatar(image.scaled(Avatar::Side, Avatar::Side, Qt::KeepAspectRatio, Qt::FastTransformation))),
                  Qt::DisplayRole);
    m_model->appendRow(item);
}

void AvatarDialog::emitChoice(const QImage &image)
{
    // One wait cursor per dialog, however often the player chooses before
    // the upload answers; it is this dialog's own to take back.
    if (!m_waitCursor) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_waitCursor = true;
    }
    emit changeAvatar(image);
}

void AvatarDialog::restoreCursor()
{
    if (m_waitCursor) {
        QApplication::restoreOverrideCursor();
        m_waitCursor = false;
    }
}

void AvatarDialog::warn(const QString &text)
{
    ModelessMsgBox::warning(Utils::findMainWindow(), windowTitle(), text, QMessageBox::Ok);
}

void AvatarDialog::chooseFile(const QString &fileName)
{
    if (fileName.isEmpty())
        return;
    const QFileInfo info(fileName);
    const auto readable = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (!(info.permissions() & readable)) {
        warn(tr("The file %1 is unreadable").arg(fileName));
        return;
    }
    const QImage image(fileName);
    if (image.isNull()) {
        warn(tr("The file %1 is an invalid image").arg(fileName));
        return;
    }
    emitChoice(image.scaled(Avatar::Side, Avatar::Side, Qt::KeepAspectRatio, Qt::FastTransformation));
}

void AvatarDialog::onChangeAvatarSucceded()
{
    close();
}

void AvatarDialog::onChangeAvatarFailed()
{
    restoreCursor();
    warn(tr("Failed to change avatar"));
}

void AvatarDialog::on_customButton_clicked()
{
    chooseFile(QFileDialog::getOpenFileName(this, tr("Locate Avatar Image"), QDir::homePath(),
                                            tr("Image files") + QStringLiteral(" (*.png *.gif *.jpg *.bmp)")));
}

void AvatarDialog::on_cancelButton_clicked()
{
    close();
}

void AvatarDialog::on_okButton_clicked()
{
    onAvatarDoubleClicked(m_ui->avatarView->currentIndex());
}

void AvatarDialog::onAvatarDoubleClicked(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const QVariant data = index.data(Qt::DisplayRole);
    if (data.metaType() != QMetaType::fromType<Avatar>())
        return;
    emitChoice(data.value<Avatar>().image);
}

void AvatarDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(m_content);
    MahjongDialog::changeEvent(event);
}

void AvatarDialog::closeEvent(QCloseEvent *event)
{
    restoreCursor();
    MahjongDialog::closeEvent(event);
}

void AvatarDialog::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_ui->avatarView->hasFocus()) {
        on_okButton_clicked();
        return;
    }
    MahjongDialog::keyPressEvent(event);
}
