// TformWebBrowser, the choice of the browser a preview opens: the desktop's default,
// one of the browsers found on the machine, or a program the user names. The choice
// is loaded when the dialog is made and stored only by OK. The Preview command makes
// the dialog without showing it and asks it to open the page.
#pragma once

#include <QDialog>
#include <QString>

#include "platform/browser_detection.h"
#include "settings/browser_settings.h"
#include "settings/settings_store_interface.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace zarvex::platform {
class IShellLauncher;
}

namespace zarvex::ui {

class IDialogService;

// The browse button's filter: programs of any name where programs carry no extension.
QString ExecutableFileFilter();

class TformWebBrowser final : public QDialog {
    Q_OBJECT
  public:
    // knownBrowsers: the result of the browser search, in list order.
    TformWebBrowser(platform::KnownBrowserList knownBrowsers, settings::ISettingsStore& store,
                    platform::IShellLauncher& shell, IDialogService& dialogs,
                    QWidget* parent = nullptr);

    // Opens folder + fileName the way the dialog now says (shown or not). The page
    // reaches a program as its one argument; a known-browser choice without a
    // selected entry opens it through the desktop's default handler.
    bool OpenPage(const QString& folder, const QString& fileName);
    // The program OpenPage runs; empty for the desktop's default handler.
    QString LaunchProgram() const;

    // What the controls say now.
    settings::BrowserSettings CurrentSettings() const;

  private:
    void LoadSettings();
    void ShowSettings(const settings::BrowserSettings& loaded);
    void RadioButtonBrowserKnownInSystemClick(bool checked);
    void ComboBoxBrowserListChange();
    void spdbtnOpenExeFileClick();
    void bitbtnOkClick();

    platform::KnownBrowserList knownBrowsers_;
    settings::ISettingsStore& store_;
    platform::IShellLauncher& shell_;
    IDialogService& dialogs_;

    QRadioButton* RadioButtonBrowserDefault_;
    QRadioButton* RadioButtonBrowserKnownInSystem_;
    QRadioButton* RadioButtonBrowserUserSpecify_;
    QComboBox* ComboBoxBrowserList_;
    QLineEdit* editSpecifiedBrowserFileName_;
    QToolButton* spdbtnOpenExeFile_;
    QPushButton* bitbtnOk_;
    QPushButton* bitbtnCancel_;
};

}  // namespace zarvex::ui
