#include <QApplication>
#include <QFile>

#include "platform/file_type_registration.h"
#include "publish/app_folders.h"
#include "ui/app_identity.h"
#include "ui/live_preview_view.h"
#include "ui/main_form.h"
#include "ui/qt_dialog_service.h"

int main(int argc, char** argv) {
    // The icon lives in the window library, which a static link would otherwise drop.
    Q_INIT_RESOURCE(zarvex);
    // The live preview's web engine shares the window's OpenGL contexts and, as root only,
    // runs without its sandbox; both must be settled before the application starts.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    zarvex::ui::PrepareWebEngineSandbox();
    QApplication app(argc, argv);
    zarvex::ui::SetApplicationIdentity();

    zarvex::ui::QtDialogService dialogs;
    zarvex::ui::MainFormSetup setup;
    setup.dialogs = &dialogs;
    setup.folders = zarvex::ResolveAppFolders(zarvex::ExecutableFolder());
    setup.registerFileType = [] {
        zarvex::platform::FileTypeRegistration request;
        request.executablePath = QCoreApplication::applicationFilePath();
        QFile icon(":/zarvex/zarvex.svg");
        if (icon.open(QIODevice::ReadOnly))
            request.iconSvg = icon.readAll();
        zarvex::platform::RegisterProjectFileType(request);
    };

    zarvex::ui::TMainForm form(setup);
    form.show();
    form.ProgramStart(QApplication::arguments().mid(1));
    return QApplication::exec();
}
