#include "ui/dialogs/form_publish_report.h"

#include <QFile>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <string_view>

#include "model/errors.h"
#include "platform/text_codec.h"
#include "ui/common/window_placement.h"

namespace zarvex::ui {

TfrmPublishReport::TfrmPublishReport(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("TfrmPublishReport");
    setWindowTitle(tr("Applet Publish Report"));
    setSizeGripEnabled(true);

    memoPublishReport_ = new QPlainTextEdit(this);
    memoPublishReport_->setObjectName("memoPublishReport");
    memoPublishReport_->setReadOnly(true);
    memoPublishReport_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memoPublishReport_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // The report's lines are as wide as its rules; breaking them would break the rules.
    memoPublishReport_->setLineWrapMode(QPlainTextEdit::NoWrap);

    BitBtn1_ = new QPushButton(tr("OK"), this);
    BitBtn1_->setObjectName("BitBtn1");
    BitBtn1_->setFixedSize(145, 25);
    BitBtn1_->setDefault(true);
    connect(BitBtn1_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memoPublishReport_, 1);
    layout->addLayout(buttons);

    setMinimumSize(509, 337);
    SizeAndCentre(*this, QSize(509, 433));
}

void TfrmPublishReport::LoadReport(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileIoError(QFile::encodeName(path).toStdString(), file.errorString().toStdString());
    const QByteArray bytes = file.readAll();
    QString text = platform::DecodeFieldText(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    memoPublishReport_->setPlainText(text);
}

QString TfrmPublishReport::Text() const {
    return memoPublishReport_->toPlainText();
}

}  // namespace zarvex::ui
