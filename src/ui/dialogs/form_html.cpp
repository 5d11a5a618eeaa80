#include "ui/dialogs/form_html.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <string_view>

#include "platform/text_codec.h"

namespace zarvex::ui {

TformHTML::TformHTML(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName("TformHTML");
    setWindowTitle(tr("HTML"));

    memoHTMLBuild_ = new QPlainTextEdit(this);
    memoHTMLBuild_->setObjectName("memoHTMLBuild");
    memoHTMLBuild_->setReadOnly(true);
    memoHTMLBuild_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memoHTMLBuild_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    memoHTMLBuild_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    memoHTMLBuild_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // Read-only, yet the keyboard can still select and copy.
    memoHTMLBuild_->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                            Qt::TextSelectableByKeyboard);

    Button1_ = new QPushButton(tr("&OK"), this);
    Button1_->setObjectName("Button1");
    Button2_ = new QPushButton(tr("&Copy to Clipboard"), this);
    Button2_->setObjectName("Button2");
    Button1_->setDefault(true);
    connect(Button1_, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2_, &QPushButton::clicked, this, &TformHTML::Button2Click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1_);
    buttons->addWidget(Button2_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memoHTMLBuild_, 1);
    layout->addLayout(buttons);

    resize(672, 517);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TformHTML::LoadLines(const QByteArray& fileBytes) {
    QString text = platform::DecodeFieldText(
        std::string_view(fileBytes.constData(), static_cast<std::size_t>(fileBytes.size())));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    // The file's last line ends with a line break; the view shows no empty line after it.
    if (text.endsWith('\n'))
        text.chop(1);
    memoHTMLBuild_->setPlainText(text);
}

QString TformHTML::Text() const {
    return memoHTMLBuild_->toPlainText();
}

void TformHTML::Button2Click() {
    memoHTMLBuild_->selectAll();
    QGuiApplication::clipboard()->setText(memoHTMLBuild_->toPlainText());
}

}  // namespace zarvex::ui
