#include "ui/property_pages.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>
#include <stdexcept>

#include "model/text_util.h"
#include "platform/text_codec.h"

namespace zarvex::ui {

namespace {

QWidget* AddPage(QTabWidget* pages, const char* name, const QString& caption) {
    auto* page = new QWidget(pages);
    page->setObjectName(QString::fromLatin1(name));
    pages->addTab(page, caption);
    return page;
}

QString ShownText(const std::string& value) {
    return platform::DecodeFieldText(Trim(value));
}

void WriteEdit(QLineEdit* edit, const std::string& value) {
    edit->setText(ShownText(value));
}

}  // namespace

std::string ReadEditText(const QLineEdit* edit, const std::string& previous) {
    const std::string previousTrimmed(Trim(previous));
    const QString shown = edit->text();
    if (shown == platform::DecodeFieldText(previousTrimmed))
        return previousTrimmed;
    return std::string(Trim(platform::EncodeFieldText(shown)));
}

PropertyPages::PropertyPages(TkavoAppletAgent& agent, IDialogService& dialogs, QWidget* window)
    : QObject(window), agent_(agent), dialogs_(dialogs), pages_(new QTabWidget(window)) {
    pages_->setObjectName("pgcntrl1");
    pages_->setMinimumSize(433, 516);
    tbshtScript_ = AddPage(pages_, "tbshtScript", tr("Script"));
    tbshtStyle_ = AddPage(pages_, "tbshtStyle", tr("Style"));
    tbshtItem_ = AddPage(pages_, "tbshtItem", tr("Item"));
    tbshtPath_ = AddPage(pages_, "tbshtPath", tr("Path"));
    BuildScriptPage(tbshtScript_);
    BuildItemPage(tbshtItem_);

    rootPages_ = {tbshtScript_, tbshtStyle_, tbshtPath_};
    itemPages_ = {tbshtItem_};
    if (rootPages_.size() + parentPages_.size() + itemPages_.size() >
        static_cast<std::size_t>(pages_->count()))
        throw std::logic_error("Tab list array's capacity is incorrect!");
}

void PropertyPages::BuildScriptPage(QWidget* page) {
    auto* general = new QGroupBox(tr("General"), page);
    auto* form = new QFormLayout(general);
    edtMenuName_ = new QLineEdit(general);
    edtMenuName_->setObjectName("edt_MenuName");
    form->addRow(tr("Name"), edtMenuName_);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(general);
    layout->addStretch();
    connect(edtMenuName_, &QLineEdit::textChanged, this, &PropertyPages::OnCaptionEditChanged);
}

void PropertyPages::BuildItemPage(QWidget* page) {
    auto* group = new QGroupBox(tr("Text"), page);
    auto* form = new QFormLayout(group);
    edtText_ = new QLineEdit(group);
    edtText_->setObjectName("edt_Text");
    form->addRow(tr("Text"), edtText_);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(group);
    layout->addStretch();
    connect(edtText_, &QLineEdit::textChanged, this, &PropertyPages::OnCaptionEditChanged);
}

void PropertyPages::OnCaptionEditChanged() {
    emit changed();
    if (Selected().IsItem())
        emit itemCaptionEdited(ShownText(platform::EncodeFieldText(edtText_->text())));
}

void PropertyPages::ReadMenuPages() {
    TAppletData d = agent_.GetMenuParameters();
    d.MenuName = ReadEditText(edtMenuName_, d.MenuName);
    agent_.SetMenuParameters(d);
}

void PropertyPages::ShowMenuParameters() {
    const TAppletData d = agent_.GetMenuParameters();
    WriteEdit(edtMenuName_, d.MenuName);
}

void PropertyPages::ReadItemPage(int index) {
    TItemData d = agent_.GetItem(index);
    d.Text = ReadEditText(edtText_, d.Text);
    agent_.SetItem(index, d);
}

void PropertyPages::ShowItem(int index) {
    const TItemData d = agent_.GetItem(index);
    WriteEdit(edtText_, d.Text);
}

void PropertyPages::ArrangePages(bool force) {
    const SelectedNode node = Selected();
    if (node.absIndex == lastPagesNodeIndex_ && !force)
        return;
    const bool item = node.IsItem();
    for (QWidget* page : rootPages_)
        pages_->setTabVisible(pages_->indexOf(page), !item);
    for (QWidget* page : itemPages_)
        pages_->setTabVisible(pages_->indexOf(page), item);
    pages_->setCurrentWidget(item ? itemPages_.front() : rootPages_.front());
    for (QWidget* page : parentPages_)
        pages_->setTabVisible(pages_->indexOf(page), node.hasChildren);
    lastPagesNodeIndex_ = node.absIndex;
}

void PropertyPages::ApplyItemAvailability() {
    const bool separator = edtText_->text().toLower() == QLatin1String("separator");
    edtText_->setEnabled(!separator);
}

}  // namespace zarvex::ui
