#include "ui/pages/page_web.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>
#include <stdexcept>

#include "ui/pages/page_widgets.h"

namespace zarvex::ui {

namespace {

constexpr const char* kPatternControl = "cmbx_NavPattern";
constexpr const char* kCollapseControl = "cmbx_CollapseRule";
constexpr const char* kCollapseWidthControl = "spnedt_CollapseWidth";
constexpr const char* kCurrentPageControl = "chkbx_MarkCurrentPage";
constexpr const char* kWithoutScriptsControl = "chkbx_ListWithoutScripts";
constexpr const char* kOpenDelayControl = "spnedt_OpenDelay";

template <class Control>
Control* Find(const QWidget* page, const char* name) {
    auto* control = page->findChild<Control*>(QString::fromLatin1(name));
    if (!control)
        throw std::logic_error(std::string("The Web Page page lacks the control ") + name);
    return control;
}

QLabel* LabelFor(QWidget* parent, const QString& caption, QWidget* field) {
    QLabel* label = MakeLabel(parent, caption);
    label->setBuddy(field);
    field->setAccessibleName(QString(caption).remove('&'));
    return label;
}

QSpinBox* MakeBoundedSpin(QWidget* parent, const char* name, int low, int high,
                          const QString& suffix, const QString& hint) {
    QSpinBox* spin = MakeSpin(parent, name, hint, low);
    spin->setRange(low, high);
    spin->setSuffix(suffix);
    return spin;
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& caption,
                     const QString& hint) {
    auto* check = new QCheckBox(caption, parent);
    check->setObjectName(QString::fromLatin1(name));
    SetHint(check, hint);
    return check;
}

// The width applies only to the rule that uses it.
void ApplyAvailability(QWidget* page) {
    Find<QSpinBox>(page, kCollapseWidthControl)
        ->setEnabled(Find<QComboBox>(page, kCollapseControl)->currentIndex() ==
                     static_cast<int>(CollapseRule::BelowWidth));
}

}  // namespace

// The lists' entries come in the order of the enumerations. The mnemonics keep clear of
// the menu bar's letters (F, E, V, I, S, O, H).
void BuildWebPage(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    QGridLayout* grid = AddGroup(layout, QObject::tr("The Menu on the Web Page"), "grpbxWebPage",
                                 kWebPageHelpButton, kWebPageHelpTag);
    QWidget* g = GroupOf(grid);
    int row = 0;

    QComboBox* pattern = MakeCombo(
        g, kPatternControl, {QObject::tr("Application menu bar"), QObject::tr("Site navigation")},
        false,
        QObject::tr("How keyboards and screen readers meet the menu: site navigation is the "
                    "pattern visitors of web sites expect"));
    grid->addWidget(LabelFor(g, QObject::tr("&Keyboard pattern"), pattern), row, 0);
    grid->addWidget(pattern, row++, 1, 1, 2);

    QComboBox* collapse =
        MakeCombo(g, kCollapseControl,
                  {QObject::tr("When the bar does not fit"), QObject::tr("Never"),
                   QObject::tr("Below a window width of")},
                  false, QObject::tr("When the bar gives way to a button that opens a list"));
    grid->addWidget(LabelFor(g, QObject::tr("&Collapse to a list"), collapse), row, 0);
    grid->addWidget(collapse, row++, 1, 1, 2);
    QSpinBox* width =
        MakeBoundedSpin(g, kCollapseWidthControl, 1, kMaxCollapseWidth, QObject::tr(" px"),
                        QObject::tr("Window width in CSS pixels"));
    grid->addWidget(LabelFor(g, QObject::tr("Collapse &width"), width), row, 0);
    grid->addWidget(width, row++, 1);

    grid->addWidget(
        MakeCheck(g, kCurrentPageControl, QObject::tr("&Mark the current page"),
                  QObject::tr("The item that leads to the page being shown is marked for "
                              "screen readers and styled as current")),
        row++, 0, 1, 3);
    grid->addWidget(
        MakeCheck(g, kWithoutScriptsControl, QObject::tr("Show the list wi&thout scripts"),
                  QObject::tr("Browsers without JavaScript show the menu as a plain list of "
                              "links until the menu takes its place")),
        row++, 0, 1, 3);

    QSpinBox* delay = MakeBoundedSpin(
        g, kOpenDelayControl, 0, kMaxOpenDelay, QObject::tr(" ms"),
        QObject::tr("How long the pointer rests on an item before its sub-menu opens; keys, "
                    "clicks and taps never wait"));
    grid->addWidget(LabelFor(g, QObject::tr("Open &delay"), delay), row, 0);
    grid->addWidget(delay, row++, 1);
    grid->setColumnStretch(2, 1);

    layout->addStretch();
    ShowWebPageControls(page, WebPageOptions{});
}

WebPageOptions ReadWebPageControls(const QWidget* page) {
    WebPageOptions options;
    options.pattern =
        static_cast<NavigationPattern>(Find<QComboBox>(page, kPatternControl)->currentIndex());
    options.collapse =
        static_cast<CollapseRule>(Find<QComboBox>(page, kCollapseControl)->currentIndex());
    options.collapseWidth = Find<QSpinBox>(page, kCollapseWidthControl)->value();
    options.markCurrentPage = Find<QCheckBox>(page, kCurrentPageControl)->isChecked();
    options.listWithoutScripts = Find<QCheckBox>(page, kWithoutScriptsControl)->isChecked();
    options.openDelay = Find<QSpinBox>(page, kOpenDelayControl)->value();
    return options;
}

void ShowWebPageControls(QWidget* page, const WebPageOptions& options) {
    Find<QComboBox>(page, kPatternControl)->setCurrentIndex(static_cast<int>(options.pattern));
    Find<QComboBox>(page, kCollapseControl)->setCurrentIndex(static_cast<int>(options.collapse));
    Find<QSpinBox>(page, kCollapseWidthControl)->setValue(options.collapseWidth);
    Find<QCheckBox>(page, kCurrentPageControl)->setChecked(options.markCurrentPage);
    Find<QCheckBox>(page, kWithoutScriptsControl)->setChecked(options.listWithoutScripts);
    Find<QSpinBox>(page, kOpenDelayControl)->setValue(options.openDelay);
    ApplyAvailability(page);
}

void ConnectWebPageControls(QWidget* page, QObject* receiver, const std::function<void()>& edited) {
    const auto report = [page, edited] {
        ApplyAvailability(page);
        edited();
    };
    for (const char* name : {kPatternControl, kCollapseControl})
        QObject::connect(Find<QComboBox>(page, name), &QComboBox::currentIndexChanged, receiver,
                         report);
    for (const char* name : {kCollapseWidthControl, kOpenDelayControl})
        QObject::connect(Find<QSpinBox>(page, name), &QSpinBox::valueChanged, receiver, report);
    for (const char* name : {kCurrentPageControl, kWithoutScriptsControl})
        QObject::connect(Find<QCheckBox>(page, name), &QCheckBox::toggled, receiver, report);
}

}  // namespace zarvex::ui
