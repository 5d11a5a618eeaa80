// TfrmTemplet, the template picker: the project files of the templates folder. OK
// (or a double click) opens the chosen one as the current project, Cancel starts a
// new project, Escape leaves the design as it is. Its check box switches the offer
// at start off or on the moment it is clicked.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "settings/settings_store_interface.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace zarvex::ui {

class IDialogService;

// What the picker asks of the main window. Each reports its own errors.
struct TempletActions {
    std::function<void(const QString& path)> openProject;
    std::function<void()> newProject;
};

class TfrmTemplet final : public QDialog {
    Q_OBJECT
  public:
    // Creates templatesFolder when it is missing; throws std::runtime_error with the
    // text "Cannot create " + templatesFolder when that fails. The templates of
    // userFolder, when it exists, are listed after the shipped ones and marked
    // " (my template)".
    TfrmTemplet(const QString& templatesFolder, const QString& userFolder,
                settings::ISettingsStore& store, IDialogService& dialogs, TempletActions actions,
                QWidget* parent = nullptr);

    // The listed names, in list order, as shown.
    QStringList TemplateNames() const;

    static QString TemplateMask() { return QStringLiteral("*.zarvex"); }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FillList(const QString& folder, const QString& mark);
    void OpenSelectedAndClose();
    void BitBtn1Click();
    void BitBtn2Click();
    void chckbxDontShowClick(bool checked);

    QString folder_;
    QString userFolder_;
    settings::ISettingsStore& store_;
    IDialogService& dialogs_;
    TempletActions actions_;
    bool flagShown_ = false;

    QListWidget* TempletList_;
    QLabel* Label1_;
    QPushButton* BitBtn1_;
    QPushButton* BitBtn2_;
    QCheckBox* chckbxDontShow_;
};

}  // namespace zarvex::ui
