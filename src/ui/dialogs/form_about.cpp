#include "ui/dialogs/form_about.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "codegen/generated_header.h"
#include "platform/shell_launcher.h"
#include "ui/common/app_icons.h"
#include "ui/common/window_placement.h"
#include "version.h"

namespace zarvex::ui {

namespace {

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const char* const kAddressProperty = "zarvexAddress";

}  // namespace

QColor TformAbout::LinkColor() {
    return QColor(Qt::blue);
}

QColor TformAbout::HotLinkColor() {
    return QColor(Qt::red);
}

TformAbout::TformAbout(platform::IShellLauncher& shell, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      shell_(shell) {
    setObjectName("TformAbout");
    setWindowTitle(QString::fromLatin1(kProductName));
    setMouseTracking(true);

    auto* icon = new QLabel(this);
    icon->setObjectName("imgProgramIcon");
    icon->setPixmap(AppIcon(AppImage::Program).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    lblProductName_ = new QLabel(QString::fromLatin1(kProductName), this);
    lblProductName_->setObjectName("lblProductName");
    QFont bold = lblProductName_->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    lblProductName_->setFont(bold);
    lblProductVersion_ = new QLabel(tr("Version %1").arg(QString::fromLatin1(kVersionText)), this);
    lblProductVersion_->setObjectName("lblProductVersion");

    auto* Label2 = new QLabel(tr("Web Site"), this);
    Label2->setObjectName("Label2");
    auto* Label3 = new QLabel(tr("Tech Support"), this);
    Label3->setObjectName("Label3");
    Label8_ = MakeLinkLabel("Label8", FromView(kHomePageAddress));
    Label10_ = MakeLinkLabel("Label10", FromView(kSupportPageAddress));

    OKButton_ = new QPushButton(tr("OK"), this);
    OKButton_->setObjectName("OKButton");
    OKButton_->setDefault(true);
    connect(OKButton_, &QPushButton::clicked, this, &QDialog::accept);

    auto* links = new QGridLayout;
    links->setHorizontalSpacing(12);
    links->addWidget(Label2, 0, 0);
    links->addWidget(Label8_, 0, 1);
    links->addWidget(Label3, 1, 0);
    links->addWidget(Label10_, 1, 1);
    links->setColumnStretch(1, 1);

    auto* text = new QVBoxLayout;
    text->addWidget(lblProductName_);
    text->addWidget(lblProductVersion_);
    text->addSpacing(8);
    text->addLayout(links);
    text->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(8);
    top->addLayout(text, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    SizeAndCentre(*this, QSize(313, 159));
    setFixedSize(size());
}

QLabel* TformAbout::MakeLinkLabel(const char* name, const QString& address) {
    auto* label = new QLabel(address, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setProperty(kAddressProperty, address);
    label->setCursor(Qt::PointingHandCursor);
    label->setMouseTracking(true);
    label->installEventFilter(this);
    QFont underlined = label->font();
    underlined.setUnderline(true);
    label->setFont(underlined);
    SetLinkColor(label, LinkColor());
    return label;
}

void TformAbout::SetLinkColor(QLabel* label, const QColor& color) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

bool TformAbout::eventFilter(QObject* watched, QEvent* event) {
    auto* label = qobject_cast<QLabel*>(watched);
    if (label && (label == Label8_ || label == Label10_)) {
        switch (event->type()) {
            case QEvent::Enter:
                SetLinkColor(label, HotLinkColor());
                break;
            case QEvent::MouseMove:
                // Kept from the box, whose own moves mean the background.
                SetLinkColor(label, HotLinkColor());
                return true;
            case QEvent::MouseButtonRelease:
                if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
                    label->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
                    shell_.OpenWithDefaultHandler(label->property(kAddressProperty).toString());
                break;
            default:
                break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TformAbout::mouseMoveEvent(QMouseEvent* event) {
    SetLinkColor(Label8_, LinkColor());
    SetLinkColor(Label10_, LinkColor());
    QDialog::mouseMoveEvent(event);
}

}  // namespace zarvex::ui
