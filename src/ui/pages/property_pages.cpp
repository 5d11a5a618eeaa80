#include "ui/pages/property_pages.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <algorithm>
#include <optional>
#include <stdexcept>

#include "model/forbidden_text.h"
#include "model/menu_field_checks.h"
#include "model/text_util.h"
#include "platform/text_codec.h"
#include "publish/file_ops.h"
#include "settings/help_pages.h"
#include "ui/dialogs/dialog_service.h"
#include "ui/pages/border_color_choice.h"
#include "ui/pages/color_panel.h"
#include "ui/pages/contrast_warnings.h"
#include "ui/pages/control_binding.h"
#include "ui/pages/page_access.h"
#include "ui/pages/page_bindings.h"
#include "ui/pages/page_builders.h"
#include "ui/pages/page_web.h"
#include "ui/pages/page_widgets.h"

namespace zarvex::ui {

namespace {

QWidget* AddPage(QTabWidget* pages, const char* name, const QString& caption) {
    auto* page = new QWidget(pages);
    page->setObjectName(QString::fromLatin1(name));
    pages->addTab(page, caption);
    return page;
}

QString FieldName(AppletField field) {
    const auto& info = kAppletFields[static_cast<std::size_t>(field)];
    return QString::fromLatin1(info.name.data(), static_cast<qsizetype>(info.name.size()));
}

QString FieldName(ItemField field) {
    const auto& info = kItemFields[static_cast<std::size_t>(field)];
    return QString::fromLatin1(info.name.data(), static_cast<qsizetype>(info.name.size()));
}

}  // namespace

PropertyPages::PropertyPages(TkavoAppletAgent& agent, IDialogService& dialogs, QWidget* window)
    : QObject(window),
      agent_(agent),
      dialogs_(dialogs),
      window_(window),
      pages_(new QTabWidget(window)) {
    pages_->setObjectName("pgcntrl1");
    pages_->setMinimumSize(433, 516);
    tbshtScript_ = AddPage(pages_, "tbshtScript", tr("Script"));
    tbshtStyle_ = AddPage(pages_, "tbshtStyle", tr("Style"));
    tbshtItem_ = AddPage(pages_, "tbshtItem", tr("Item"));
    tbshtPath_ = AddPage(pages_, "tbshtPath", tr("Path"));
    tbshtWebPage_ = AddPage(pages_, "tbshtWebPage", tr("Web Page"));
    BuildScriptPage(tbshtScript_);
    BuildStylePage(tbshtStyle_, dialogs_);
    BuildItemPage(tbshtItem_);
    BuildPathPage(tbshtPath_);
    BuildWebPage(tbshtWebPage_);
    ConnectLabelsAndHelp(pages_);
    edtText_ = qobject_cast<QLineEdit*>(Require("edt_Text"));
    edtIcon_ = qobject_cast<QLineEdit*>(Require("edt_Icon"));
    edtMenuName_ = qobject_cast<QLineEdit*>(Require("edt_MenuName"));

    rootPages_ = {tbshtScript_, tbshtStyle_, tbshtPath_, tbshtWebPage_};
    itemPages_ = {tbshtItem_};
    if (rootPages_.size() + parentPages_.size() + itemPages_.size() >
        static_cast<std::size_t>(pages_->count()))
        throw std::logic_error("Tab list array's capacity is incorrect!");

    // A binding row naming a control that the pages lack is a construction fault.
    for (const MenuFieldBinding& row : kMenuFieldBindings) {
        Require(row.first.name);
        if (row.second.name)
            Require(row.second.name);
    }
    for (const ItemFieldBinding& row : kItemFieldBindings)
        Require(row.control.name);
    borderColors_ = new BorderColorChoice(pages_);
    connect(borderColors_, &BorderColorChoice::changed, this, &PropertyPages::changed);
    connect(borderColors_, &BorderColorChoice::changed, this, &PropertyPages::TrackEdits);
    ConnectChangeReports();
    ConnectButtons();
    ConnectEditTracking();
    ConnectWebPageControls(tbshtWebPage_, this, [this] { OnWebPageEdited(); });
    connect(edtMenuName_, &QLineEdit::editingFinished, this, &PropertyPages::FinishMenuName);
    new ContrastWarnings(tbshtStyle_);
}

QWidget* PropertyPages::Control(const QString& name) const {
    // The pages' controls keep their names; a search of the whole widget tree at every
    // read of the pages costs more than a command's frame on a large design.
    if (const auto it = controls_.constFind(name); it != controls_.cend() && *it)
        return *it;
    QWidget* control = pages_->findChild<QWidget*>(name);
    if (control)
        controls_.insert(name, control);
    return control;
}

QWidget* PropertyPages::Require(const char* name) const {
    QWidget* control = Control(QString::fromLatin1(name));
    if (!control)
        throw std::logic_error(std::string("The property pages lack the control ") + name);
    return control;
}

// --- change reports ---------------------------------------------------------------------

void PropertyPages::ConnectChangeReports() {
    for (const ReportingControl& row : kReportingControls) {
        QWidget* control = Require(row.name);
        const auto report = [this, control, &row] { OnReport(control, row); };
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            connect(edit, &QLineEdit::textChanged, this, report);
        } else if (auto* spin = qobject_cast<QSpinBox*>(control)) {
            connect(spin, &QSpinBox::textChanged, this, report);
        } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
            // Only the user's changes: choosing an entry or typing. Values that the
            // program puts into a combo box report nothing.
            connect(combo, &QComboBox::activated, this, report);
            if (QLineEdit* typed = combo->lineEdit())
                connect(typed, &QLineEdit::textEdited, this, report);
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            connect(button, &QAbstractButton::clicked, this, report);
        }
    }
    for (const MenuFieldBinding& row : kMenuFieldBindings) {
        if (!row.second.name)
            continue;
        if (auto* panel = qobject_cast<ColorPanel*>(Require(row.first.name))) {
            connect(panel, &ColorPanel::clicked, this, [this, panel] { pnl_BgColorClick(panel); });
            // A typed or pasted colour is an edit like a chosen one.
            connect(panel, &ColorPanel::edited, this, [this] {
                emit changed();
                TrackEdits();
            });
            connect(panel, &ColorPanel::previewed, this, &PropertyPages::previewRequested);
        }
        if (auto* transparent = qobject_cast<QAbstractButton*>(Require(row.second.name)))
            connect(transparent, &QAbstractButton::clicked, this, &PropertyPages::changed);
        // The other sides follow the top one while the border has one colour.
        if (row.field == AppletField::BorderColorTop) {
            connect(qobject_cast<ColorPanel*>(Require(row.first.name)), &ColorPanel::clicked,
                    borderColors_, &BorderColorChoice::TopChanged);
            connect(qobject_cast<ColorPanel*>(Require(row.first.name)), &ColorPanel::edited,
                    borderColors_, &BorderColorChoice::TopChanged);
            connect(qobject_cast<QAbstractButton*>(Require(row.second.name)),
                    &QAbstractButton::clicked, borderColors_, &BorderColorChoice::TopChanged);
        }
    }
}

void PropertyPages::OnReport(QWidget* control, const ReportingControl& row) {
    emit changed();
    if (control == edtText_) {
        // The item's text names its node; with the root selected the page is not in use.
        if (!Selected().IsItem())
            return;
        emit itemCaptionEdited(ShownText(platform::EncodeFieldText(edtText_->text())));
    }
    CheckText(control, row.check);
}

void PropertyPages::CheckForbiddenText(QWidget* control) {
    CheckText(control, TextCheck::Quotes);
}

namespace {

QString TextOf(const QWidget* control) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText();
    return {};
}

}  // namespace

std::vector<std::string> PropertyPages::TextFaults(const QString& text, TextCheck check) const {
    if (check == TextCheck::None)
        return {};
    if (check == TextCheck::MenuName) {
        // An emptied field is where the user starts a new name.
        const std::string name = platform::EncodeFieldText(text.trimmed());
        if (!name.empty() && !IsValidMenuName(name))
            return {std::string(kMenuNameMessage)};
        return {};
    }
    return ForbiddenTextMessages(platform::EncodeFieldText(text), agent_.Separator,
                                 check == TextCheck::StylesheetOnly);
}

// A change is refused for a fault it brings: the warnings, then the field gets back the
// text it had before. A fault the text already had (a stored text, shown as it is) is
// marked beside the field and stays until the author mends it, so that no text is ever
// thrown away.
void PropertyPages::CheckText(QWidget* control, TextCheck check) {
    if (!control || check == TextCheck::None || refusing_)
        return;
    auto* edit = qobject_cast<QLineEdit*>(control);
    auto* combo = qobject_cast<QComboBox*>(control);
    if (!edit && !combo)
        return;
    const QString text = TextOf(control);
    const std::vector<std::string> faults = TextFaults(text, check);
    if (filling_ > 0) {
        RememberShownText(control, check);
        return;
    }
    // The change reports run before the edit tracking, so the values last tracked are the
    // field's value before this change, whoever put it there; the text last accepted gives
    // it back exactly as it was typed (blanks included) when it is the same value.
    const QString before = [&] {
        std::optional<std::string> value;
        for (const MenuFieldBinding& row : kMenuFieldBindings)
            if (Control(QString::fromLatin1(row.first.name)) == control)
                value = Field(shownMenu_, row.field);
        for (const ItemFieldBinding& row : kItemFieldBindings)
            if (Control(QString::fromLatin1(row.control.name)) == control)
                value = Field(shownItem_, row.field);
        const QString accepted = accepted_.value(control);
        if (!value || ShownText(*value) == accepted.trimmed())
            return accepted;
        return ShownText(*value);
    }();
    const std::vector<std::string> known = TextFaults(before, check);
    std::vector<std::string> added;
    for (const std::string& fault : faults)
        if (std::find(known.begin(), known.end(), fault) == known.end())
            added.push_back(fault);
    if (added.empty()) {
        accepted_[control] = text;
        MarkFaults(control, faults);
        return;
    }
    for (const std::string& message : added)
        dialogs_.ShowMessage(window_, MessageKind::Warning, QString::fromStdString(message),
                             DialogButton::Yes);
    const bool wasRefusing = refusing_;
    refusing_ = true;
    if (edit)
        edit->setText(before);
    else if (combo->isEditable())
        combo->setEditText(before);
    else
        combo->setCurrentIndex(combo->findText(before));
    refusing_ = wasRefusing;
    MarkFaults(control, known);
}

void PropertyPages::RememberShownText(QWidget* control, TextCheck check) {
    const QString text = TextOf(control);
    accepted_[control] = text;
    if (control == edtMenuName_)
        menuNameBefore_ = text;
    const std::vector<std::string> faults = TextFaults(text, check);
    const bool wasMarked = faultMarks_.value(control) != nullptr;
    MarkFaults(control, faults);
    if (!faults.empty() && !wasMarked)
        emit hintMessage(tr("Warning: the stored text \"%1\" is shown as it is and marked; "
                            "mend it: %2")
                             .arg(text, QString::fromStdString(faults.front())));
}

void PropertyPages::FinishMenuName() {
    if (refusing_ || filling_ > 0)
        return;
    const QString text = edtMenuName_->text();
    const std::string name = platform::EncodeFieldText(text.trimmed());
    // A stored name is judged by the save that would write it, not by leaving the field.
    if (name == platform::EncodeFieldText(menuNameBefore_.trimmed()))
        return;
    const std::string fault = MenuNameFault(name);
    if (fault.empty()) {
        menuNameBefore_ = text;
        return;
    }
    const bool wasRefusing = refusing_;
    refusing_ = true;
    dialogs_.ShowMessage(window_, MessageKind::Warning,
                         platform::DecodeFieldText("The menu name \"" + name + "\" " + fault + "."),
                         DialogButton::Yes);
    edtMenuName_->setText(menuNameBefore_);
    refusing_ = wasRefusing;
}

void PropertyPages::RememberShownTexts() {
    for (const ReportingControl& row : kReportingControls)
        if (row.check != TextCheck::None)
            RememberShownText(Require(row.name), row.check);
}

void PropertyPages::MarkFaults(QWidget* control, const std::vector<std::string>& faults) {
    auto* combo = qobject_cast<QComboBox*>(control);
    QLineEdit* edit = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(control);
    if (!edit)
        return;
    QAction*& mark = faultMarks_[control];
    if (faults.empty()) {
        delete mark;
        mark = nullptr;
        return;
    }
    if (!mark) {
        mark = edit->addAction(edit->style()->standardIcon(QStyle::SP_MessageBoxWarning),
                               QLineEdit::TrailingPosition);
        mark->setObjectName(control->objectName() + QStringLiteral("_fault"));
    }
    QStringList lines;
    for (const std::string& fault : faults)
        lines << QString::fromStdString(fault);
    mark->setToolTip(lines.join('\n'));
}

// --- edit tracking ------------------------------------------------------------------------

bool PropertyPages::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence typed(key->keyCombination());
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
            typed == QKeySequence(Qt::CTRL | Qt::Key_Y) ||
            typed == QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)) {
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void PropertyPages::ConnectEditTracking() {
    // Spin and combo boxes hand the key to their inner field directly, so they are
    // watched themselves.
    for (QWidget* field : pages_->findChildren<QWidget*>())
        if (qobject_cast<QLineEdit*>(field) || qobject_cast<QAbstractSpinBox*>(field) ||
            qobject_cast<QComboBox*>(field))
            field->installEventFilter(this);
    std::vector<QWidget*> controls;
    for (const MenuFieldBinding& row : kMenuFieldBindings) {
        controls.push_back(Require(row.first.name));
        if (row.second.name)
            controls.push_back(Require(row.second.name));
    }
    for (const ItemFieldBinding& row : kItemFieldBindings)
        controls.push_back(Require(row.control.name));
    // Connected after the change reports, so that a refused text has been emptied when
    // the edit is taken.
    for (QWidget* control : controls) {
        if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            connect(edit, &QLineEdit::textChanged, this, &PropertyPages::TrackEdits);
        } else if (auto* spin = qobject_cast<QSpinBox*>(control)) {
            connect(spin, &QSpinBox::textChanged, this, &PropertyPages::TrackEdits);
        } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
            connect(combo, &QComboBox::currentIndexChanged, this, &PropertyPages::TrackEdits);
            connect(combo, &QComboBox::editTextChanged, this, &PropertyPages::TrackEdits);
        } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            connect(button, &QAbstractButton::toggled, this, &PropertyPages::TrackEdits);
        }
    }
}

TAppletData PropertyPages::ShownMenuValues() const {
    TAppletData d = shownMenu_;
    for (const MenuFieldBinding& row : kMenuFieldBindings) {
        std::string& slot = Field(d, row.field);
        ReadControlValue(Require(row.first.name), row.first.mode, slot);
        if (row.second.name)
            ReadControlValue(Require(row.second.name), row.second.mode, slot);
    }
    return d;
}

TItemData PropertyPages::ShownItemValues() const {
    TItemData d = shownItem_;
    for (const ItemFieldBinding& row : kItemFieldBindings)
        ReadControlValue(Require(row.control.name), row.control.mode, Field(d, row.field));
    return d;
}

void PropertyPages::TrackEdits() {
    if (filling_ > 0)
        return;
    std::vector<FieldEdit> edits;
    // Each bound field whose control differs from what was last shown is an edit.
    const auto collect = [&](bool ofItem, const auto& bindings, const auto& shown, auto& last) {
        for (const auto& row : bindings) {
            const auto& now = Field(shown, row.field);
            auto& before = Field(last, row.field);
            if (now == before)
                continue;
            edits.push_back({ofItem, static_cast<int>(row.field), before, now, refusing_});
            before = now;
        }
    };
    collect(false, kMenuFieldBindings, ShownMenuValues(), shownMenu_);
    collect(true, kItemFieldBindings, ShownItemValues(), shownItem_);
    if (!edits.empty())
        emit fieldsEdited(edits);
}

void PropertyPages::WriteMenuField(AppletField field, const std::string& value) {
    ++filling_;
    for (const MenuFieldBinding& row : kMenuFieldBindings) {
        if (row.field != field)
            continue;
        WriteControlValue(value, Require(row.first.name), row.first.mode);
        if (row.second.name)
            WriteControlValue(value, Require(row.second.name), row.second.mode);
    }
    --filling_;
    shownMenu_ = ShownMenuValues();
    RememberShownTexts();
}

void PropertyPages::WriteItemField(ItemField field, const std::string& value) {
    ++filling_;
    for (const ItemFieldBinding& row : kItemFieldBindings)
        if (row.field == field)
            WriteControlValue(value, Require(row.control.name), row.control.mode);
    --filling_;
    shownItem_ = ShownItemValues();
    RememberShownTexts();
}

// --- buttons ---------------------------------------------------------------------------

void PropertyPages::ConnectButtons() {
    connect(qobject_cast<QAbstractButton*>(Require("chkbxItemSeparator")),
            &QAbstractButton::clicked, this, &PropertyPages::chkbxItemSeparatorClick);
    connect(qobject_cast<QAbstractButton*>(Require("spdbtn_cmbx_Link")), &QAbstractButton::clicked,
            this, &PropertyPages::spdbtnItURLClick);
    auto* iconPicker = qobject_cast<QAbstractButton*>(Require("spdbtn_edt_Icon"));
    connect(iconPicker, &QAbstractButton::clicked, this,
            [this, iconPicker] { spdbtnItemImageNormalClick(iconPicker); });
    for (const settings::ContextHelpPage& help : settings::kContextHelpPages) {
        auto* button = qobject_cast<QAbstractButton*>(Require(help.button));
        connect(button, &QAbstractButton::clicked, this,
                [this, button] { SpeedButton1Click(button); });
    }
}

void PropertyPages::chkbxItemSeparatorClick(bool checked) {
    // The box is never set from the item: it keeps its state, and a click toggles it.
    edtText_->setText(checked ? QStringLiteral("separator") : QStringLiteral("Item"));
}

void PropertyPages::pnl_BgColorClick(ColorPanel* panel) {
    panel->PickColor();
    emit changed();
    TrackEdits();
}

void PropertyPages::SpeedButton1Click(QObject* sender) {
    const int tag = sender ? sender->property(kHelpTagProperty).toInt() : 0;
    emit helpRequested(QString::fromLatin1(settings::HelpPageForTag(tag)));
}

void PropertyPages::spdbtnItURLClick() {
    if (linkTip_)
        linkTip_();
    const auto chosen = dialogs_.GetOpenFileName(window_, QString::fromLatin1(kLinkFilter));
    if (!chosen)
        return;
    // Put in by the program, so the combo box reports nothing and the address is not checked.
    auto* link = qobject_cast<QComboBox*>(Require("cmbx_Link"));
    link->setEditText(QString::fromStdString(PathToFileURL(chosen->toStdString())));
    emit changed();
}

void PropertyPages::spdbtnItemImageNormalClick(QObject* sender) {
    const auto chosen = dialogs_.GetOpenFileName(window_, QString::fromLatin1(kIconFilter));
    if (!chosen)
        return;
    const std::string path = QFile::encodeName(*chosen).toStdString();
    if (sender && sender->objectName() == QLatin1String("spdbtn_edt_Icon"))
        edtIcon_->setText(QFile::decodeName(QByteArray::fromStdString(BareFileName(path))));
    agent_.StageFile(path);
}

// --- model <-> pages ---------------------------------------------------------------------

void PropertyPages::ReadMenuPages() {
    TAppletData d = agent_.GetMenuParameters();
    for (const MenuFieldBinding& row : kMenuFieldBindings) {
        std::string& slot = Field(d, row.field);
        ReadControlValue(Require(row.first.name), row.first.mode, slot);
        if (row.second.name)
            ReadControlValue(Require(row.second.name), row.second.mode, slot);
    }
    agent_.SetMenuParameters(d);
}

void PropertyPages::ShowMenuParameters() {
    const TAppletData d = agent_.GetMenuParameters();
    QStringList unshown;
    ++filling_;
    for (const MenuFieldBinding& row : kMenuFieldBindings) {
        const std::string& value = Field(d, row.field);
        bool shown = WriteControlValue(value, Require(row.first.name), row.first.mode);
        if (row.second.name)
            shown = WriteControlValue(value, Require(row.second.name), row.second.mode) && shown;
        if (!shown)
            unshown << FieldName(row.field) + " \"" + platform::DecodeFieldText(value) + '"';
    }
    // With web paths chosen the second choice shows selected, never neither of the two.
    auto* local = qobject_cast<QRadioButton*>(Require("rdbtn_InternalUse_RootDir_Local_Checked"));
    if (!local->isChecked())
        qobject_cast<QRadioButton*>(Require("rdbtn_InternalUse_RootDir_Remote_Checked"))
            ->setChecked(true);
    borderColors_->ShowAgreement();
    --filling_;
    ShowWebPage(agent_.WebPage);
    shownMenu_ = d;
    shownMenu_ = ShownMenuValues();
    RememberShownTexts();
    ReportUnshownValues(unshown);
}

void PropertyPages::ShowWebPage(const WebPageOptions& options, bool reveal) {
    ++filling_;
    ShowWebPageControls(tbshtWebPage_, options);
    --filling_;
    if (reveal && pages_->isTabVisible(pages_->indexOf(tbshtWebPage_)))
        pages_->setCurrentWidget(tbshtWebPage_);
}

// The choices go into the design at once, as a whole: they are not fields of the menu's
// record, which the other menu-wide pages read when the design is committed.
void PropertyPages::OnWebPageEdited() {
    if (filling_ > 0)
        return;
    const WebPageOptions before = agent_.WebPage;
    const WebPageOptions after = ReadWebPageControls(tbshtWebPage_);
    if (after == before)
        return;
    agent_.WebPage = after;
    emit changed();
    emit webPageEdited(before, after);
}

void PropertyPages::ReadItemPage(int index) {
    TItemData d = agent_.GetItem(index);
    for (const ItemFieldBinding& row : kItemFieldBindings)
        ReadControlValue(Require(row.control.name), row.control.mode, Field(d, row.field));
    agent_.SetItem(index, d);
}

void PropertyPages::ShowItem(int index) {
    const TItemData d = agent_.GetItem(index);
    QStringList unshown;
    ++filling_;
    for (const ItemFieldBinding& row : kItemFieldBindings) {
        const std::string& value = Field(d, row.field);
        if (!WriteControlValue(value, Require(row.control.name), row.control.mode))
            unshown << FieldName(row.field) + " \"" + platform::DecodeFieldText(value) + '"';
    }
    --filling_;
    shownItem_ = d;
    shownItem_ = ShownItemValues();
    RememberShownTexts();
    ReportUnshownValues(unshown);
}

void PropertyPages::ReportUnshownValues(const QStringList& fields) {
    if (fields.isEmpty())
        return;
    emit hintMessage(tr("Warning: stored values that are not numbers or colours are shown as the "
                        "lowest value, no entry or black: %1")
                         .arg(fields.join(QStringLiteral(", "))));
}

void PropertyPages::ArrangePages(bool force) {
    const SelectedNode node = Selected();
    if (node.absIndex == lastPagesNodeIndex_ && !force)
        return;
    const bool item = node.IsItem();
    // Only what differs is changed: every change of a tab's visibility lays out and repaints
    // the whole notebook, which a tree command on a large design cannot spend its frame on.
    const auto show = [this](QWidget* page, bool visible) {
        const int index = pages_->indexOf(page);
        if (pages_->isTabVisible(index) != visible)
            pages_->setTabVisible(index, visible);
    };
    for (QWidget* page : rootPages_)
        show(page, !item);
    for (QWidget* page : itemPages_)
        show(page, item);
    QWidget* first = item ? itemPages_.front() : rootPages_.front();
    if (pages_->currentWidget() != first)
        pages_->setCurrentWidget(first);
    for (QWidget* page : parentPages_)
        show(page, node.hasChildren);
    lastPagesNodeIndex_ = node.absIndex;
}

void PropertyPages::ApplyItemAvailability() {
    const SelectedNode node = Selected();
    const bool separator = edtText_->text().toLower() == QLatin1String("separator");
    const bool linkable = !separator && !node.hasChildren;
    const struct {
        const char* control;
        bool enabled;
    } rules[] = {
        {"edt_Text", !separator},
        {"edt_Icon", !separator},
        {"spdbtn_edt_Icon", !separator},
        {"cmbx_Link", linkable},
        {"spdbtn_cmbx_Link", linkable},
        {"cmbx_Target", linkable},
        // Tooltips only for leaf items inside a sub-menu.
        {"edt_ToolTip", linkable && node.level >= 2},
    };
    for (const auto& rule : rules)
        Require(rule.control)->setEnabled(rule.enabled);
}

}  // namespace zarvex::ui
