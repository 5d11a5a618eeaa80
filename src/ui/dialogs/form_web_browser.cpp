#include "ui/dialogs/form_web_browser.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/browser_launch.h"
#include "ui/common/window_placement.h"
#include "ui/dialogs/dialog_service.h"

namespace zarvex::ui {

using settings::BrowserMode;

QString ExecutableFileFilter() {
#ifdef Q_OS_WIN
    return QStringLiteral("Execute Files (*.exe, *.com)|*.exe; *.com");
#else
    return QStringLiteral("Programs (*)|*");
#endif
}

TformWebBrowser::TformWebBrowser(platform::KnownBrowserList knownBrowsers,
                                 settings::ISettingsStore& store, platform::IShellLauncher& shell,
                                 IDialogService& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      knownBrowsers_(std::move(knownBrowsers)),
      store_(store),
      shell_(shell),
      dialogs_(dialogs) {
    setObjectName("TformWebBrowser");
    setWindowTitle(tr("Web Browser"));

    auto* group = new QGroupBox(tr("Web Browser"), this);
    group->setObjectName("GroupBox1");
    RadioButtonBrowserDefault_ = new QRadioButton(tr("Use Default Browser"), group);
    RadioButtonBrowserDefault_->setObjectName("RadioButtonBrowserDefault");
    RadioButtonBrowserKnownInSystem_ = new QRadioButton(tr("Use Known Browser in System"), group);
    RadioButtonBrowserKnownInSystem_->setObjectName("RadioButtonBrowserKnownInSystem");
    ComboBoxBrowserList_ = new QComboBox(group);
    ComboBoxBrowserList_->setObjectName("ComboBoxBrowserList");
    ComboBoxBrowserList_->setEditable(false);
    RadioButtonBrowserUserSpecify_ = new QRadioButton(tr("User Specified Browser Program"), group);
    RadioButtonBrowserUserSpecify_->setObjectName("RadioButtonBrowserUserSpecify");
    auto* Label1 = new QLabel(tr("Execute File:"), group);
    Label1->setObjectName("Label1");
    editSpecifiedBrowserFileName_ = new QLineEdit(group);
    editSpecifiedBrowserFileName_->setObjectName("editSpecifiedBrowserFileName");
    Label1->setBuddy(editSpecifiedBrowserFileName_);
    spdbtnOpenExeFile_ = new QToolButton(group);
    spdbtnOpenExeFile_->setObjectName("spdbtnOpenExeFile");
    spdbtnOpenExeFile_->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    spdbtnOpenExeFile_->setToolTip(tr("Choose the browser's program file"));

    bitbtnOk_ = new QPushButton(tr("OK"), this);
    bitbtnOk_->setObjectName("bitbtnOk");
    bitbtnOk_->setDefault(true);
    bitbtnCancel_ = new QPushButton(tr("Cancel"), this);
    bitbtnCancel_->setObjectName("bitbtnCancel");

    // The list and the path row sit indented under their radio buttons.
    const int indent = 22;
    auto* groupLayout = new QGridLayout(group);
    groupLayout->setColumnMinimumWidth(0, indent);
    groupLayout->addWidget(RadioButtonBrowserDefault_, 0, 0, 1, 4);
    groupLayout->addWidget(RadioButtonBrowserKnownInSystem_, 1, 0, 1, 4);
    groupLayout->addWidget(ComboBoxBrowserList_, 2, 1, 1, 3);
    groupLayout->addWidget(RadioButtonBrowserUserSpecify_, 3, 0, 1, 4);
    groupLayout->addWidget(Label1, 4, 1);
    groupLayout->addWidget(editSpecifiedBrowserFileName_, 4, 2);
    groupLayout->addWidget(spdbtnOpenExeFile_, 4, 3);
    groupLayout->setColumnStretch(2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bitbtnOk_);
    buttons->addWidget(bitbtnCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addLayout(buttons);

    connect(RadioButtonBrowserKnownInSystem_, &QRadioButton::toggled, this,
            &TformWebBrowser::RadioButtonBrowserKnownInSystemClick);
    // Only the user's choice switches the mode; loading a selection does not.
    connect(ComboBoxBrowserList_, &QComboBox::activated, this,
            &TformWebBrowser::ComboBoxBrowserListChange);
    connect(spdbtnOpenExeFile_, &QToolButton::clicked, this,
            &TformWebBrowser::spdbtnOpenExeFileClick);
    connect(bitbtnOk_, &QPushButton::clicked, this, &TformWebBrowser::bitbtnOkClick);
    connect(bitbtnCancel_, &QPushButton::clicked, this, &QDialog::reject);

    for (const platform::TWebBrowserNamePath& browser : knownBrowsers_)
        ComboBoxBrowserList_->addItem(browser.Name, browser.Path);
    LoadSettings();

    SizeAndCentre(*this, QSize(393, 237));
    setFixedSize(size());
}

void TformWebBrowser::LoadSettings() {
    ShowSettings(
        settings::LoadBrowserSettings(store_, static_cast<std::size_t>(knownBrowsers_.size())));
}

void TformWebBrowser::ShowSettings(const settings::BrowserSettings& loaded) {
    switch (loaded.mode) {
        case BrowserMode::Default:
            RadioButtonBrowserDefault_->setChecked(true);
            break;
        case BrowserMode::KnownBrowser:
            RadioButtonBrowserKnownInSystem_->setChecked(true);
            break;
        case BrowserMode::SpecifiedBrowser:
            RadioButtonBrowserUserSpecify_->setChecked(true);
            break;
    }
    // Filling the list selected its first entry; the stored number decides instead.
    ComboBoxBrowserList_->setCurrentIndex(loaded.selectedBrowserNumber);
    editSpecifiedBrowserFileName_->setText(QString::fromStdString(loaded.specifiedBrowserExePath));
}

settings::BrowserSettings TformWebBrowser::CurrentSettings() const {
    settings::BrowserSettings current;
    if (RadioButtonBrowserKnownInSystem_->isChecked())
        current.mode = BrowserMode::KnownBrowser;
    else if (RadioButtonBrowserUserSpecify_->isChecked())
        current.mode = BrowserMode::SpecifiedBrowser;
    else
        current.mode = BrowserMode::Default;
    current.selectedBrowserNumber = ComboBoxBrowserList_->currentIndex();
    current.specifiedBrowserExePath = editSpecifiedBrowserFileName_->text().toStdString();
    return current;
}

void TformWebBrowser::RadioButtonBrowserKnownInSystemClick(bool checked) {
    if (checked && ComboBoxBrowserList_->count() == 0)
        RadioButtonBrowserDefault_->setChecked(true);
}

void TformWebBrowser::ComboBoxBrowserListChange() {
    RadioButtonBrowserKnownInSystem_->setChecked(true);
}

void TformWebBrowser::spdbtnOpenExeFileClick() {
    if (const auto chosen = dialogs_.GetOpenFileName(this, ExecutableFileFilter()))
        editSpecifiedBrowserFileName_->setText(QDir::toNativeSeparators(*chosen));
}

void TformWebBrowser::bitbtnOkClick() {
    // A store that refuses the choice keeps the previous one; the dialog closes anyway.
    settings::SaveBrowserSettings(store_, CurrentSettings());
    accept();
}

bool TformWebBrowser::OpenPage(const QString& folder, const QString& fileName) {
    return platform::OpenPageInBrowser(shell_, CurrentSettings(), knownBrowsers_,
                                       folder + fileName);
}

QString TformWebBrowser::LaunchProgram() const {
    return platform::BrowserProgramFor(CurrentSettings(), knownBrowsers_);
}

}  // namespace zarvex::ui
