// Set-up of what the main window adds to itself besides its own controls: the
// services and the help window.

#include "ui/dialogs/form_help.h"
#include "ui/main/app_services.h"
#include "ui/main/main_form.h"
#include "ui/pages/property_pages.h"

namespace zarvex::ui {

void TMainForm::AttachAuxiliaryWindows(const MainFormSetup& setup) {
    services_ = std::make_unique<AppServiceHost>(setup.services);
    frmHelp_ = new TfrmHelp(services_->Shell(), this);
}

}  // namespace zarvex::ui
