#include "../Sample.h"

#include "app/DebugDialog.h"
#include "app/Startup.h"
#include "app/UpdateProgressDialog.h"
#include "app/VersionChecker.h"
#include "widgets/ModelessMsgBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplashScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
// Every kind of control the style sheet styles, in each state that can be
// shown without a mouse.
void addControls(QWidget *page, const QString &title)
{
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    auto *heading = new QLabel(title, page);
    QFont font = heading->font();
    font.setBold(true);
    font.setPointSize(12);
    heading->setFont(font);
    layout->addWidget(heading);

    auto *buttons = new QHBoxLayout;
    auto *plain = new QPushButton(QStringLiteral("Button"), page);
    auto *defaultButton = new QPushButton(QStringLiteral("Default"), page);
    defaultButton->setDefault(true);
    auto *pressed = new QPushButton(QStringLiteral("Pressed"), page);
    pressed->setDown(true);
    auto *disabled = new QPushButton(QStringLiteral("Disabled"), page);
    disabled->setEnabled(false);
    for (QPushButton *button : {plain, defaultButton, pressed, disabled})
        buttons->addWidget(button);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    auto *checks = new QHBoxLayout;
    auto addCheck = [&](const QString &text, Qt::CheckState state, bool enabled) {
        auto *box = new QCheckBox(text, page);
        box->setTristate(state == Qt::PartiallyChecked);
        box->setCheckState(state);
        box->setEnabled(enabled);
        checks->addWidget(box);
    };
    addCheck(QStringLiteral("Off"), Qt::Unchecked, true);
    addCheck(QStringLiteral("On"), Qt::Checked, true);
    addCheck(QStringLiteral("Partly"), Qt::PartiallyChecked, true);
    addCheck(QStringLiteral("Off, disabled"), Qt::Unchecked, false);
    addCheck(QStringLiteral("On, disabled"), Qt::Checked, false);
    checks->addStretch(1);
    layout->addLayout(checks);

    auto *radios = new QHBoxLayout;
    auto addRadio = [&](const QString &text, bool checked, bool enabled) {
        // Each in its own parent widget, so that two can be on at once.
        auto *holder = new QWidget(page);
        auto *inner = new QHBoxLayout(holder);
        inner->setContentsMargins(0, 0, 0, 0);
        auto *radio = new QRadioButton(text, holder);
        radio->setChecked(checked);
        radio->setEnabled(enabled);
        inner->addWidget(radio);
        radios->addWidget(holder);
    };
    addRadio(QStringLiteral("Off"), false, true);
    addRadio(QStringLiteral("On"), true, true);
    addRadio(QStringLiteral("Off, disabled"), false, false);
    addRadio(QStringLiteral("On, disabled"), true, false);
    radios->addStretch(1);
    layout->addLayout(radios);

    auto *form = new QFormLayout;
    auto *edit = new QLineEdit(QStringLiteral("Text 123"), page);
    auto *placeholder = new QLineEdit(page);
    placeholder->setPlaceholderText(QStringLiteral("Placeholder"));
    auto *editOff = new QLineEdit(QStringLiteral("Disabled"), page);
    editOff->setEnabled(false);
    auto *fields = new QHBoxLayout;
    fields->addWidget(edit);
    fields->addWidget(placeholder);
    fields->addWidget(editOff);
    form->addRow(QStringLiteral("Line edits:"), fields);

    auto *spin = new QSpinBox(page);
    spin->setValue(42);
    auto *spinOff = new QSpinBox(page);
    spinOff->setValue(7);
    spinOff->setEnabled(false);
    auto *combo = new QComboBox(page);
    combo->addItems({QStringLiteral("East"), QStringLiteral("South"), QStringLiteral("West")});
    auto *comboOff = new QComboBox(page);
    comboOff->addItem(QStringLiteral("Disabled"));
    comboOff->setEnabled(false);
    auto *choices = new QHBoxLayout;
    for (QWidget *widget : std::initializer_list<QWidget *>{spin, spinOff, combo, comboOff})
        choices->addWidget(widget);
    choices->addStretch(1);
    form->addRow(QStringLiteral("Spin and combo boxes:"), choices);

    auto *progress = new QProgressBar(page);
    progress->setValue(60);
    form->addRow(QStringLiteral("Progress:"), progress);
    layout->addLayout(form);

    auto *group = new QGroupBox(QStringLiteral("Group"), page);
    group->setCheckable(true);
    auto *groupLayout = new QHBoxLayout(group);
    groupLayout->addWidget(new QLabel(QStringLiteral("A label in a group"), group));
    auto *disabledLabel = new QLabel(QStringLiteral("A disabled label"), group);
    disabledLabel->setEnabled(false);
    groupLayout->addWidget(disabledLabel);
    groupLayout->addStretch(1);
    layout->addWidget(group);

    auto *tabs = new QTabWidget(page);
    auto *table = new QTableWidget(12, 4, tabs);
    table->setHorizontalHeaderLabels(
        {QStringLiteral("Table"), QStringLiteral("Players"), QStringLiteral("Stake"), QStringLiteral("Seen")});
    table->setAlternatingRowColors(true);
    table->verticalHeader()->hide();
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int row = 0; row < table->rowCount(); ++row) {
        table->setItem(row, 0, new QTableWidgetItem(QStringLiteral("Practice %1").arg(row + 1)));
        auto *players = new QTableWidgetItem(QStringLiteral("%1/4").arg(row % 5));
        players->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, 1, players);
        auto *stake = new QTableWidgetItem(QStringLiteral("$%1.00").arg((row + 1) * 5));
        stake->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, 2, stake);
        auto *seen = new QTableWidgetItem;
        seen->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        seen->setCheckState(row % 2 ? Qt::Checked : Qt::Unchecked);
        table->setItem(row, 3, seen);
    }
    table->selectRow(2);
    table->setMinimumHeight(150);
    tabs->addTab(table, QStringLiteral("Tables"));
    tabs->addTab(new QWidget(tabs), QStringLiteral("Tournaments"));
    const int off = tabs->addTab(new QWidget(tabs), QStringLiteral("Disabled"));
    tabs->setTabEnabled(off, false);
    layout->addWidget(tabs, 1);
}

QWidget *makeStyleGallery()
{
    auto *gallery = new QWidget;
    gallery->setObjectName(QStringLiteral("styleGallery"));
    auto *layout = new QHBoxLayout(gallery);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The dark pages are the main window and the dialogs.
    auto *dark = new QDialog(gallery);
    dark->setWindowFlags(Qt::Widget);
    addControls(dark, QStringLiteral("Dark page"));
    auto *light = new QWidget(gallery);
    addControls(light, QStringLiteral("Light page"));
    layout->addWidget(dark, 1);
    layout->addWidget(light, 1);
    return gallery;
}

VersionChecker::Release sampleRelease()
{
    VersionChecker::Release release;
    release.version = QVersionNumber(3, 1, 4);
    return release;
}
} // namespace

MAHJONG_SAMPLE(styleGallery, {QStringLiteral("style-gallery"), {1200, 640}, [] { return makeStyleGallery(); }});
MAHJONG_SAMPLE(splash, {QStringLiteral("splash"), {480, 300}, [] {
                            return new QSplashScreen(QPixmap(QString::fromLatin1(Startup::splashImage)));
                        }});
MAHJONG_SAMPLE(updateQuestion,
               {QStringLiteral("update-question"), {}, [] { return VersionChecker::showQuestion(sampleRelease()); }});
MAHJONG_SAMPLE(updateProgress, {QStringLiteral("update-progress"), {}, [] {
                                    auto *dialog = new UpdateProgressDialog(nullptr);
                                    dialog->onStarted(QStringLiteral("3.1.4"), 48 << 20);
                                    dialog->onProgress(20 << 20, 48 << 20);
                                    return dialog;
                                }});
MAHJONG_SAMPLE(debugDialog, {QStringLiteral("debug-dialog"), {}, [] { return new DebugDialog; }});
MAHJONG_SAMPLE(downtime, {QStringLiteral("downtime-box"), {}, [] {
                              return ModelessMsgBox::information(
                                  nullptr, QCoreApplication::translate("main", "Downtime"),
                                  QStringLiteral("The servers are closed for maintenance until 14:00 UTC."));
                          }});
MAHJONG_SAMPLE(updateFailed, {QStringLiteral("update-failed-box"),
                              {},
                              [] {
    return ModelessMsgBox::warning(
        nullptr, VersionChecker::tr("Update failed"),
        VersionChecker::tr("The update could not be installed:\n%1").arg(QStringLiteral("The download failed.")));
                              }});
MAHJONG_SAMPLE(errorBox, {QStringLiteral("error-box"), {}, [] {
                              return ModelessMsgBox::critical(nullptr, QCoreApplication::translate("Log", "Error"),
                                                              QStringLiteral("Invalid server data."));
                          }});
