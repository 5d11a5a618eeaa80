// Pictures of the small windows, for the eye: build/screenshots/*.png.
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include "platform/shell_launcher.h"
#include "settings/memory_settings_store.h"
#include "ui/dialogs/form_about.h"
#include "ui/dialogs/form_help.h"
#include "ui/dialogs/form_publish_report.h"
#include "ui/dialogs/form_templet.h"
#include "ui/dialogs/form_web_browser.h"
#include "ui/ui_test_support.h"

namespace zarvex::ui::testing {
namespace {

const QString kApp = QStringLiteral(ZARVEX_APP_DIR);

void Save(QWidget& window, const QString& name) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage shot = window.grab().toImage();
    EXPECT_EQ(shot.size(), window.size() * window.devicePixelRatio());
    const QString folder = kApp + "/../screenshots";
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(shot.save(folder + '/' + name));
    window.hide();
}

class Screenshots : public ::testing::Test {
  protected:
    settings::MemorySettingsStore store_;
    platform::RecordingShellLauncher shell_;
    ScriptedDialogService dialogs_;
};

TEST_F(Screenshots, TemplatePickerOverTheShippedTemplates) {
    TfrmTemplet picker(kApp + "/templates", QString(), store_, dialogs_, {});
    ASSERT_GE(picker.TemplateNames().size(), 6);
    picker.findChild<QListWidget*>("TempletList")->setCurrentRow(1);
    Save(picker, "template_picker.png");
}

TEST_F(Screenshots, WebBrowserDialogWithDetectedBrowsers) {
    TformWebBrowser dialog({{"Firefox", "/usr/bin/firefox"},
                            {"Chromium", "/usr/bin/chromium"},
                            {"Google Chrome", "/opt/google/chrome/google-chrome"}},
                           store_, shell_, dialogs_);
    dialog.findChild<QRadioButton*>("RadioButtonBrowserKnownInSystem")->click();
    dialog.findChild<QComboBox*>("ComboBoxBrowserList")->setCurrentIndex(1);
    dialog.findChild<QLineEdit*>("editSpecifiedBrowserFileName")->setText("/usr/bin/falkon");
    Save(dialog, "web_browser.png");
}

TEST_F(Screenshots, HelpWindowOnAContextPage) {
    TfrmHelp help(shell_);
    help.ShowPage(QUrl::fromLocalFile(kApp + "/help/customizing_js_item_general_link.htm"));
    Save(help, "help_window.png");
}

TEST_F(Screenshots, AboutBoxAndPublishReport) {
    TformAbout about(shell_);
    Save(about, "about_box.png");

    QTemporaryDir folder;
    TkavoAppletAgent agent;
    agent.ResetToDefaults();
    agent.WritePublishReport(ToCorePath(folder.path()) + '/', "PublishReport.txt");
    TfrmPublishReport report;
    report.LoadReport(folder.filePath("PublishReport.txt"));
    Save(report, "publish_report.png");
}

}  // namespace
}  // namespace zarvex::ui::testing
