#include "mainwindow/PreferencesWindow.h"

#include "scene/TileGraphics.h"
#include "social/AvatarDialog.h"
#include "social/PlayerDb.h"
#include "sound/SoundPlayer.h"
#include "widgets/AutoCenterToParent.h"
#include "widgets/TranslationsManager.h"
#include "widgets/Utils.h"

#include "ui_PreferencesView.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QPicture>
#include <QSettings>

namespace {
void writeCheck(const char *key, int newState)
{
    QSettings().setValue(QLatin1String(key), newState == Qt::Checked);
}

// A stored choice outside the list shows the first entry.
int storedChoice(const char *key, int count)
{
    const int index = QSettings().value(QLatin1String(key), 0).toInt();
    return index < 0 || index >= count ? 0 : index;
}
} // namespace

PreferencesWindow::PreferencesWindow(TranslationsManager *translations, PlayerDb *playerDb, QWidget *parent)
    : QWidget(parent)
    , m_translations(translations)
    , m_playerDb(playerDb)
    , m_ui(std::make_unique<Ui::PreferencesView>())
{
    m_ui->setupUi(this);

    // The slots are already connected: a box that becomes checked writes its
    // value back unchanged (and starts the music or reports the layout).
    QSettings settings;
    m_ui->autoPassCheckBox->setCheckState(Utils::settingsCheckState(settings, QStringLiteral("game/autoPass"), true));
    m_ui->autoPopdownScoreDialog->setCheckState(
        Utils::settingsCheckState(settings, QStringLiteral("game/autoPopdownScoreDialog"), false));
    m_ui->inGameSoundCheckBox->setCheckState(Utils::settingsCheckState(settings, QStringLiteral("game/sound"), true));
    m_ui->animationsCheckBox->setCheckState(
        Utils::settingsCheckState(settings, QStringLiteral("game/animations"), true));
    m_ui->compactViewBox->setCheckState(Utils::settingsCheckState(settings, QStringLiteral("game/compactView"), false));
    m_ui->tableInvitesCheckBox->setCheckState(
        Utils::settingsCheckState(settings, QStringLiteral("game/showtableinvites"), true));

    const QStringList blanks = TileGraphics::blankNames();
    const QStringList faces = TileGraphics::faceNames();
    m_ui->tileBlankSelection->addItems(blanks);
    m_ui->tileBlankSelection->setCurrentIndex(storedChoice("game/tileblank", int(blanks.size())));
    m_ui->tileFaceSelection->addItems(faces);
    m_ui->tileFaceSelection->setCurrentIndex(storedChoice("game/tileface", int(faces.size())));
    TileGraphics::instance().setTileSet(m_ui->tileBlankSelection->currentIndex(),
                                        m_ui->tileFaceSelection->currentIndex());
    updateTilePreview();
    connect(m_ui->tileBlankSelection, &QComboBox::currentIndexChanged, this,
            &PreferencesWindow::onTileBlankSelectionIndexChanged);
    connect(m_ui->tileFaceSelection, &QComboBox::currentIndexChanged, this,
            &PreferencesWindow::onTileFaceSelectionIndexChanged);

    fillLanguages();
    if (m_playerDb) {
        connect(m_playerDb, &PlayerDb::playerPictureUpdate, this, &PreferencesWindow::onPlayerPictureUpdate);
        // The picture known now (the default one until the chat server
        // sends another): the page never opens blank.
        if (m_playerDb->ownPlayerId() > 0)
            setAvatar(m_playerDb->picture(m_playerDb->ownPlayerId(), true));
    }
}

PreferencesWindow::~PreferencesWindow() = default;

void PreferencesWindow::fillLanguages()
{
    QComboBox *box = m_ui->languageSelection;
    bool matched = false;
    if (m_translations) {
        const QString current = m_translations->language();
        for (const TranslationsManager::Language &language : m_translations->availableLanguages()) {
            box->addItem(language.second, language.first);
            if (language.first == current) {
                box->setCurrentIndex(box->count() - 1);
                matched = true;
            }
        }
    }
    connect(box, &QComboBox::currentIndexChanged, this, &PreferencesWindow::onLanguageSelectionCurrentIndexChanged);
    if (!matched && box->count() > 0)
        box->setCurrentIndex(0);
}

void PreferencesWindow::setAvatar(const QPixmap &picture)
{
    m_ui->avatarLabel->setText(QString());
    m_ui->avatarLabel->setPixmap(picture);
}

void PreferencesWindow::on_autoPassCheckBox_stateChanged(int newState)
{
    writeCheck("game/autoPass", newState);
}

void PreferencesWindow::on_autoPopdownScoreDialog_stateChanged(int newState)
{
    writeCheck("game/autoPopdownScoreDialog", newState);
}

AvatarDialog *PreferencesWindow::avatarDialog() const
{
    return findChild<AvatarDialog *>(QString(), Qt::FindDirectChildrenOnly);
}

void PreferencesWindow::on_setAvatarButton_clicked()
{
    if (avatarDialog())
        return;
    auto *dialog = new AvatarDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (m_playerDb) {
        // The picture the player shows now is the one marked.
        dialog->setCurrentPicture(m_playerDb->picture(m_playerDb->ownPlayerId(), true).toImage());
        connect(dialog, &AvatarDialog::changeAvatar, m_playerDb, &PlayerDb::setPicture);
        connect(m_playerDb, &PlayerDb::changePictureFailed, dialog, &AvatarDialog::onChangeAvatarFailed);
    }
    new AutoCenterToParent(dialog);
    dialog->showDialog(true);
}

void PreferencesWindow::onPlayerPictureUpdate(qint32 pid)
{
    if (!m_playerDb || pid != m_playerDb->ownPlayerId())
        return;
    setAvatar(m_playerDb->picture(pid, true));
    // The new picture is what the open dialog was waiting for.
    if (AvatarDialog *dialog = avatarDialog())
        dialog->close();
}

void PreferencesWindow::on_inGameSoundCheckBox_stateChanged(int newState)
{
    // Written first: the player reads it before it plays.
    writeCheck("game/sound", newState);
    if (newState == Qt::Unchecked)
        SoundPlayer::instance().stop(SoundPlayer::LobbyMusic);
    else if (newState == Qt::Checked)
        SoundPlayer::instance().play(SoundPlayer::LobbyMusic, SoundPlayer::Loop);
}

void PreferencesWindow::on_animationsCheckBox_stateChanged(int newState)
{
    writeCheck("game/animations", newState);
}

void PreferencesWindow::on_compactViewBox_stateChanged(int newState)
{
    writeCheck("game/compactView", newState);
    emit compactViewChanged(newState == Qt::Checked);
}

void PreferencesWindow::on_tableInvitesCheckBox_stateChanged(int newState)
{
    writeCheck("game/showtableinvites", newState);
}

void PreferencesWindow::changeTileSet(const char *key, int value)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QSettings().setValue(QLatin1String(key), value);
    TileGraphics::instance().setTileSet(m_ui->tileBlankSelection->currentIndex(),
                                        m_ui->tileFaceSelection->currentIndex());
    updateTilePreview();
    QApplication::restoreOverrideCursor();
}

void PreferencesWindow::onTileBlankSelectionIndexChanged(int index)
{
    changeTileSet("game/tileblank", index);
}

void PreferencesWindow::onTileFaceSelectionIndexChanged(int index)
{
    changeTileSet("game/tileface", index);
}

void PreferencesWindow::updateTilePreview()
{
    const TilePainter &painter = TileGraphics::instance().unscaledPainter();
    const auto record = [](QLabel *label, const std::function<void(QPainter &)> &draw) {
        QPicture picture;
        QPainter p(&picture);
        draw(p);
        p.end();
        label->setPicture(picture);
    };
    record(m_ui->tileFront, [&](QPainter &p) { painter.drawTile(p, QPoint(0, 0), 0, TileImages::Bottom, false); });
    // The "no tile" value draws a face-down tile: the chosen back.
    record(m_ui->tileBack, [&](QPainter &p) { painter.drawTile(p, QPoint(0, 0), 255, TileImages::Bottom, false); });
    record(m_ui->hiddenTileRight, [&](QPainter &p) { painter.drawBlank(p, QPoint(0, 0), TileImages::Right); });
}

void PreferencesWindow::onLanguageSelectionCurrentIndexChanged(int index)
{
    if (!m_translations || index < 0)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_translations->setLanguage(m_ui->languageSelection->itemData(index, Qt::UserRole).toString());
    QApplication::restoreOverrideCursor();
}

void PreferencesWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
        const QStringList blanks = TileGraphics::blankNames();
        for (int i = 0; i < blanks.size() && i < m_ui->tileBlankSelection->count(); ++i)
            m_ui->tileBlankSelection->setItemText(i, blanks.at(i));
        const QStringList faces = TileGraphics::faceNames();
        for (int i = 0; i < faces.size() && i < m_ui->tileFaceSelection->count(); ++i)
            m_ui->tileFaceSelection->setItemText(i, faces.at(i));
    }
    QWidget::changeEvent(event);
}
