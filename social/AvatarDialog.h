#pragma once

#include "widgets/MahjongDialog.h"

#include <QImage>
#include <QModelIndex>

#include <memory>

class QStandardItemModel;

namespace Ui {
class AvatarDialog;
}

// Chooses the own picture from the avatar images or from a file; the choice
// leaves as changeAvatar, and the owner reports back how the upload went.
class AvatarDialog : public MahjongDialog
{
    Q_OBJECT

public:
    explicit AvatarDialog(QWidget *parent = nullptr);
    ~AvatarDialog() override;

    // What the custom button does once a file is named.
    void chooseFile(const QString &fileName);
    int avatarCount() const;
    // Marks the avatar that shows this picture as the chosen one; with none
    // like it, none is marked.
    void setCurrentPicture(const QImage &picture);

signals:
    void changeAvatar(QImage pixmap);

public slots:
    void onChangeAvatarSucceded();
    void onChangeAvatarFailed();
    void on_customButton_clicked();
    void on_cancelButton_clicked();
    void on_okButton_clicked();
    void onAvatarDoubleClicked(const QModelIndex &index);

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void loadAvatars();
    void addImage(const QImage &image);
    void emitChoice(const QImage &image);
    void warn(const QString &text);
    void restoreCursor();

    QWidget *m_content;
    std::unique_ptr<Ui::AvatarDialog> m_ui;
    QStandardItemModel *m_model;
    // Whether this dialog has a wait cursor on the application's stack.
    bool m_waitCursor = false;
};
