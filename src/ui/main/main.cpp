#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSessionManager>
#include <memory>

#include "model/errors.h"
#include "platform/file_type_registration.h"
#include "platform/termination_signals.h"
#include "publish/app_folders.h"
#include "publish/session_folder.h"
#include "ui/dialogs/qt_dialog_service.h"
#include "ui/main/app_identity.h"
#include "ui/main/main_form.h"
#include "ui/preview/live_preview_view.h"

namespace {

void DescribeCommandLine(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QObject::tr("Design drop-down navigation menus for web pages.\n"
                    "Opens FILE: a project (*.zarvex) or a menu structure file (*.gms), which\n"
                    "starts a new design. Without FILE the template picker is offered."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"), QObject::tr("The file to open."),
                                 QStringLiteral("[FILE]"));
}

// --help and --version print and exit before any window system is needed, so that
// they work in a terminal without a display.
void AnswerHelpOrVersion(int& argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    parser.parse(arguments);  // the window system's own options are not known yet
    if (!parser.isSet(QStringLiteral("help")) && !parser.isSet(QStringLiteral("version")))
        return;
    QCoreApplication core(argc, argv);
    zarvex::ui::SetApplicationIdentity();
    parser.process(core);  // prints and exits
}

// The file to open; an unknown option is reported and ends the program.
QStringList ParseCommandLine(const QApplication& app) {
    QCommandLineParser parser;
    DescribeCommandLine(parser);
    parser.process(app);
    return parser.positionalArguments();
}

// The window's scratch folder under the user's cache folder (or, when that takes
// none, the system's temporary folder), after removing what killed windows left
// there; none (the window then works in the cache folder itself and makes its
// passing folders in the temporary folder) when neither can hold it.
std::unique_ptr<zarvex::SessionFolder> MakeSessionFolder() {
    for (const std::string& parent :
         {zarvex::UserCacheFolder(), zarvex::ui::ToCorePath(QDir::tempPath())}) {
        zarvex::RemoveStaleSessionFolders(parent);
        try {
            return std::make_unique<zarvex::SessionFolder>(parent);
        } catch (const zarvex::FileIoError&) {
        }
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    // The icon lives in the window library, which a static link would otherwise drop.
    Q_INIT_RESOURCE(zarvex);
    // The live preview's web engine shares the window's OpenGL contexts and, as root only,
    // runs without its sandbox; both must be settled before the application starts.
    AnswerHelpOrVersion(argc, argv);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    zarvex::ui::PrepareWebEngineSandbox();
    QApplication app(argc, argv);
    zarvex::ui::SetApplicationIdentity();
    const QStringList arguments = ParseCommandLine(app);

    const std::unique_ptr<zarvex::SessionFolder> session = MakeSessionFolder();
    const std::string scratch = session ? session->Path() : zarvex::UserCacheFolder();
    const std::string data = zarvex::ProgramDataFolder();
    const std::string state = zarvex::UserStateFolder();
    zarvex::MoveOldRecentFilesList(data, state);

    zarvex::ui::QtDialogService dialogs;
    zarvex::ui::MainFormSetup setup;
    setup.dialogs = &dialogs;
    setup.folders = zarvex::ResolveAppFolders(data, scratch);
    setup.stateFolder = zarvex::ui::FromCorePath(state);
    if (session) {
        setup.sessionName = QStringLiteral("window-%1").arg(QCoreApplication::applicationPid());
        setup.scratchFolder = zarvex::ui::FromCorePath(session->Path());
    }
    setup.registerFileType = [] {
        zarvex::platform::FileTypeRegistration request;
        request.executablePath = QCoreApplication::applicationFilePath();
        QFile icon(":/zarvex/zarvex.svg");
        if (icon.open(QIODevice::ReadOnly))
            request.iconSvg = icon.readAll();
        zarvex::platform::RegisterProjectFileType(request);
    };

    zarvex::ui::TMainForm form(setup);
    // A signal ends the run as a normal exit does, scratch folders removed, and with
    // the unsaved design kept in its recovery copy.
    int signalled = 0;
    zarvex::platform::TerminationSignals terminations;
    QObject::connect(&terminations, &zarvex::platform::TerminationSignals::received, &form,
                     [&](int signalNumber) {
                         signalled = signalNumber;
                         form.EndOnSignal();
                         QApplication::exit(128 + signalNumber);
                     });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form,
                     [&](QSessionManager& manager) { form.CommitSessionData(manager); });
    form.show();
    // A signal during a question at the start ends the run there: the main loop that
    // follows would not know it was asked to stop.
    if (!form.OfferRecovery() && !signalled)
        form.ProgramStart(arguments);
    const int status = signalled ? 0 : QApplication::exec();
    return signalled ? 128 + signalled : status;
}
