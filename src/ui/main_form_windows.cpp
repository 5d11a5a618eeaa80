// Set-up of what the main window adds to itself besides its own controls: the
// services, the help window, and the commands of the templates, browser, publish
// and help windows.
#include <QAction>

#include "ui/app_services.h"
#include "ui/form_help.h"
#include "ui/main_form.h"
#include "ui/property_pages.h"

namespace zarvex::ui {

void TMainForm::AttachAuxiliaryWindows(const MainFormSetup& setup) {
    services_ = std::make_unique<AppServiceHost>(setup.services);
    frmHelp_ = new TfrmHelp(services_->Shell(), this);

    const auto bind = [this](std::initializer_list<QAction*> actions,
                             void (TMainForm::*command)()) {
        for (QAction* a : actions)
            connect(a, &QAction::triggered, this,
                    [this, command] { RunCommand([this, command] { (this->*command)(); }); });
    };
    bind({Templet1_}, &TMainForm::Templet1Click);
    bind({SaveAsTemplate1_}, &TMainForm::SaveAsTemplate1Click);
    bind({Preview1_, tlbtnPreview_}, &TMainForm::Preview1Click);
    bind({Publish1_}, &TMainForm::Publish1Click);
    bind({WebBrowser1_}, &TMainForm::WebBrowser1Click);
    bind({Topic1_, tlbtnHelp_}, &TMainForm::Topic1Click);
    bind({ViewSample1_}, &TMainForm::ViewSample1Click);
    bind({Homepage1_}, &TMainForm::Homepage1Click);
    bind({ContactUs1_}, &TMainForm::ContactUs1Click);
    bind({About1_}, &TMainForm::About1Click);
}

}  // namespace zarvex::ui
