#pragma once

#include <QWidget>

#include <memory>

class AvatarDialog;
class PlayerDb;
class QPixmap;
class TranslationsManager;

namespace Ui {
class PreferencesView;
}

// The page of the "preferences" tab: the player's settings as check boxes
// and choice boxes, each change written to the settings at once, with a live
// preview of the chosen tile set.
class PreferencesWindow : public QWidget
{
    Q_OBJECT

public:
    // Without a player database the avatar cannot be changed.
    explicit PreferencesWindow(TranslationsManager *translations, PlayerDb *playerDb = nullptr,
                               QWidget *parent = nullptr);
    ~PreferencesWindow() override;

    // Shows the local player's picture (the player database's).
    void setAvatar(const QPixmap &picture);
    // The open avatar dialog, or null.
    AvatarDialog *avatarDialog() const;

signals:
    void compactViewChanged(bool compactView);

public slots:
    void onPlayerPictureUpdate(qint32 pid);

private slots:
    void on_autoPassCheckBox_stateChanged(int newState);
    void on_autoPopdownScoreDialog_stateChanged(int newState);
    void on_setAvatarButton_clicked();
    void on_inGameSoundCheckBox_stateChanged(int newState);
    void on_animationsCheckBox_stateChanged(int newState);
    void on_compactViewBox_stateChanged(int newState);
    void onTileBlankSelectionIndexChanged(int index);
    void onTileFaceSelectionIndexChanged(int index);
    void onLanguageSelectionCurrentIndexChanged(int index);
    void on_tableInvitesCheckBox_stateChanged(int newState);

protected:
    void changeEvent(QEvent *event) override;

private:
    void changeTileSet(const char *key, int value);
    void updateTilePreview();
    void fillLanguages();

    TranslationsManager *m_translations;
    PlayerDb *m_playerDb;
    std::unique_ptr<Ui::PreferencesView> m_ui;
};
