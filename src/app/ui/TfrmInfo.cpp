#include "TfrmInfo.h"

#include "app/Product.h"
#include "common/ui/Context.h"
#include "common/ui/FieldBehaviour.h"
#include "common/ui/LinkLabel.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace rf {

namespace {
// The product logo; the banner stands in where no separate logo is built in.
QString logoResource()
{
    const QString logo = QStringLiteral(":/app/logo.svg");
    return QFile::exists(logo) ? logo : QStringLiteral(":/app/banner.svg");
}
} // namespace

TfrmInfo::TfrmInfo(Context& context, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(QStringLiteral(" Informazioni su Rotaflux"));
    Form::dialogFrame(this, ClientWidth, ClientHeight);
    Form::gradientBackground(this, Form::SteelBlue, Form::WhiteFill);

    auto* imgLogo = pictureLabel(logoResource(), QSize(400, 400), QStringLiteral("imgLogo"));
    imgLogo->setStyleSheet(
        QStringLiteral("QLabel#imgLogo { background: white; border: 1px solid #8FAFCB; }"));
    imgLogo->setMinimumHeight(300);

    const QString support = QString::fromUtf8(Product::SupportEmail);
    auto* imgEmail =
        pictureLabel(QStringLiteral(":/app/icon_email.svg"), QSize(32, 32), QStringLiteral("imgEmail"));
    imgEmail->setFixedSize(36, 36);
    auto* lnkWeb = new LinkLabel(context, support, QStringLiteral("\"mailto:") + support + QLatin1Char('"'));
    lnkWeb->setObjectName(QStringLiteral("lnkWeb"));
    lnkWeb->attachIcon(imgEmail);

    auto* btnChiudi = new QPushButton(QStringLiteral("Chiudi"));
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setMinimumSize(110, 32);
    btnChiudi->setAutoDefault(false);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::accept);

    auto* mailRow = new QHBoxLayout;
    mailRow->addStretch(1);
    mailRow->addWidget(imgEmail);
    mailRow->addWidget(lnkWeb);
    mailRow->addStretch(1);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(btnChiudi);
    buttonRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 20);
    layout->setSpacing(16);
    layout->addWidget(imgLogo, 1);
    layout->addLayout(mailRow);
    layout->addLayout(buttonRow);
}

void TfrmInfo::showInfo(Context& context, QWidget* owner)
{
    TfrmInfo info(context, owner);
    info.exec();
}

} // namespace rf
