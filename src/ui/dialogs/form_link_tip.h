// TfrmMsgBox_LinkTip, the tip before the link file dialog: local links may not work
// once published. Its check box switches the tip off (or on again) the moment it is
// clicked, however the tip is then closed.
#pragma once

#include <QDialog>

#include "settings/settings_store_interface.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace zarvex::ui {

class IDialogService;

class TfrmMsgBox_LinkTip final : public QDialog {
    Q_OBJECT
  public:
    // dialogs shows the error of a store that refuses to switch the tip back on.
    TfrmMsgBox_LinkTip(settings::ISettingsStore& store, IDialogService& dialogs,
                       QWidget* parent = nullptr);

    // Shows the tip modally when "ShowLinkTipDialog" allows it; the caller's link file
    // dialog follows either way.
    static void ShowIfWanted(settings::ISettingsStore& store, IDialogService& dialogs,
                             QWidget* parent);

  private:
    void chckbxDontShowClick(bool checked);

    settings::ISettingsStore& store_;
    IDialogService& dialogs_;
    QLabel* Label1_;
    QPushButton* btnOK_;
    QCheckBox* chckbxDontShow_;
};

}  // namespace zarvex::ui
