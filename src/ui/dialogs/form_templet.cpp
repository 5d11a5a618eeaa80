#include "ui/dialogs/form_templet.h"

#include <QCheckBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <stdexcept>

#include "platform/text_codec.h"
#include "settings/show_flags.h"
#include "ui/common/app_icons.h"
#include "ui/common/window_placement.h"
#include "ui/dialogs/dialog_service.h"

namespace zarvex::ui {

namespace {

void EnsureFolder(const QString& folder) {
    if (QDir(folder).exists())
        return;
    if (!QDir().mkdir(folder))
        throw std::runtime_error("Cannot create " +
                                 platform::EncodeFieldText(QDir::toNativeSeparators(folder)));
}

}  // namespace

TfrmTemplet::TfrmTemplet(const QString& templatesFolder, const QString& userFolder,
                         settings::ISettingsStore& store, IDialogService& dialogs,
                         TempletActions actions, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint),
      folder_(templatesFolder),
      userFolder_(userFolder),
      store_(store),
      dialogs_(dialogs),
      actions_(std::move(actions)) {
    EnsureFolder(folder_);

    setObjectName("TfrmTemplet");
    setWindowTitle(tr("Template"));

    TempletList_ = new QListWidget(this);
    TempletList_->setObjectName("TempletList");
    TempletList_->setSelectionMode(QAbstractItemView::SingleSelection);
    TempletList_->setViewMode(QListView::ListMode);
    TempletList_->setFlow(QListView::TopToBottom);
    TempletList_->setWrapping(true);
    TempletList_->setResizeMode(QListView::Adjust);
    TempletList_->setUniformItemSizes(true);

    Label1_ = new QLabel(
        tr("Click OK to open selected template or cancel to create a new project."), this);
    Label1_->setObjectName("Label1");
    Label1_->setWordWrap(true);
    BitBtn1_ = new QPushButton(tr("OK"), this);
    BitBtn1_->setObjectName("BitBtn1");
    BitBtn1_->setDefault(true);
    BitBtn2_ = new QPushButton(tr("Cancel"), this);
    BitBtn2_->setObjectName("BitBtn2");
    chckbxDontShow_ = new QCheckBox(tr("Do not show this dialog again."), this);
    chckbxDontShow_->setObjectName("chckbxDontShow");

    connect(BitBtn1_, &QPushButton::clicked, this, &TfrmTemplet::BitBtn1Click);
    connect(BitBtn2_, &QPushButton::clicked, this, &TfrmTemplet::BitBtn2Click);
    connect(TempletList_, &QListWidget::itemDoubleClicked, this,
            &TfrmTemplet::OpenSelectedAndClose);
    connect(chckbxDontShow_, &QCheckBox::toggled, this, &TfrmTemplet::chckbxDontShowClick);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chckbxDontShow_, 1);
    buttons->addWidget(BitBtn1_);
    buttons->addWidget(BitBtn2_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1_);
    layout->addWidget(TempletList_, 1);
    layout->addLayout(buttons);

    FillList(folder_, QString());
    if (!userFolder_.isEmpty() && QDir(userFolder_).exists())
        FillList(userFolder_, tr(" (my template)"));
    SizeAndCentre(*this, QSize(416, 216));
    setFixedSize(size());
}

void TfrmTemplet::FillList(const QString& folder, const QString& mark) {
    // A template may keep its own images in a folder of its own: the project files
    // one folder down are listed too, under "folder/name".
    const QDir root(folder);
    QStringList names = root.entryList({TemplateMask()}, QDir::Files | QDir::Readable);
    for (const QString& sub : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Readable))
        for (const QString& name :
             QDir(root.filePath(sub)).entryList({TemplateMask()}, QDir::Files | QDir::Readable))
            names << sub + '/' + name;
    names.sort(Qt::CaseInsensitive);
    const QIcon icon = AppIcon(AppImage::TreeRoot);
    for (const QString& name : names) {
        auto* item = new QListWidgetItem(icon, name + mark, TempletList_);
        item->setData(Qt::UserRole, root.filePath(name));
    }
}

QStringList TfrmTemplet::TemplateNames() const {
    QStringList names;
    for (int i = 0; i < TempletList_->count(); ++i)
        names << TempletList_->item(i)->text();
    return names;
}

void TfrmTemplet::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (flagShown_)
        return;
    flagShown_ = true;
    // Checking the box here is a click like the user's: a store that says "do not
    // show" (or cannot be read) is written "do not show" at once.
    chckbxDontShow_->setChecked(
        !settings::ReadShowFlag(store_, settings::ShowFlag::TemplatePicker));
}

void TfrmTemplet::chckbxDontShowClick(bool checked) {
    try {
        settings::WriteShowFlag(store_, settings::ShowFlag::TemplatePicker, !checked);
    } catch (const std::exception& e) {
        dialogs_.ShowMessage(this, MessageKind::Error, QString::fromStdString(e.what()),
                             DialogButton::Ok);
    }
}

void TfrmTemplet::OpenSelectedAndClose() {
    const QListWidgetItem* selected = TempletList_->currentItem();
    if (!selected || !selected->isSelected())
        return;
    const QString path = selected->data(Qt::UserRole).toString();
    // The picker goes first: the open may ask its own questions.
    accept();
    if (actions_.openProject)
        actions_.openProject(path);
}

void TfrmTemplet::BitBtn1Click() {
    OpenSelectedAndClose();
    accept();
}

void TfrmTemplet::BitBtn2Click() {
    done(QDialog::Rejected);
    if (actions_.newProject)
        actions_.newProject();
}

}  // namespace zarvex::ui
