#include "ui/dialogs/form_link_tip.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/show_flags.h"
#include "ui/common/window_placement.h"
#include "ui/dialogs/dialog_service.h"

namespace zarvex::ui {

TfrmMsgBox_LinkTip::TfrmMsgBox_LinkTip(settings::ISettingsStore& store, IDialogService& dialogs,
                                       QWidget* parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      store_(store),
      dialogs_(dialogs) {
    setObjectName("TfrmMsgBox_LinkTip");
    setWindowTitle(tr("Important!"));

    Label1_ = new QLabel(tr("Local link may not work for security reason. Please click the "
                            "'?' book icon within link group to learn more details."),
                         this);
    Label1_->setObjectName("Label1");
    Label1_->setWordWrap(true);
    btnOK_ = new QPushButton(tr("OK"), this);
    btnOK_->setObjectName("btnOK");
    btnOK_->setDefault(true);
    chckbxDontShow_ = new QCheckBox(tr("Do not show this dialog again."), this);
    chckbxDontShow_->setObjectName("chckbxDontShow");

    connect(btnOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(chckbxDontShow_, &QCheckBox::toggled, this, &TfrmMsgBox_LinkTip::chckbxDontShowClick);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(chckbxDontShow_, 1);
    bottom->addWidget(btnOK_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1_, 1);
    layout->addLayout(bottom);

    SizeAndCentre(*this, QSize(297, 129));
}

void TfrmMsgBox_LinkTip::chckbxDontShowClick(bool checked) {
    try {
        settings::WriteShowFlag(store_, settings::ShowFlag::LinkTip, !checked);
    } catch (const std::exception& e) {
        dialogs_.ShowMessage(this, MessageKind::Error, QString::fromStdString(e.what()),
                             DialogButton::Ok);
    }
}

void TfrmMsgBox_LinkTip::ShowIfWanted(settings::ISettingsStore& store, IDialogService& dialogs,
                                      QWidget* parent) {
    if (!settings::ReadShowFlag(store, settings::ShowFlag::LinkTip))
        return;
    TfrmMsgBox_LinkTip tip(store, dialogs, parent);
    tip.exec();
}

}  // namespace zarvex::ui
