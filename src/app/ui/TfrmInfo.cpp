#include "TfrmInfo.h"

#include "app/Product.h"
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

TfrmInfo::TfrmInfo(Context& context, QWidget* parent)
    : FixedDialog(context, parent, QStringLiteral("frmInfo"), QStringLiteral(" Informazioni su Rotaflux"),
                  QSize(ClientWidth, ClientHeight))
{
    QLabel* imgLogo = makeBanner(logoResource(), QSize(400, 400), QStringLiteral("imgLogo"));
    imgLogo->setMinimumHeight(300);

    const QString support = QString::fromUtf8(Product::SupportEmail);
    QHBoxLayout* mailRow =
        linkRow(context, support, QStringLiteral("\"mailto:") + support + QLatin1Char('"'),
                QStringLiteral(":/app/icon_email.svg"), QStringLiteral("imgEmail"), 32, 36);
    mailRow->insertStretch(0, 1);
    mailRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 20);
    layout->setSpacing(16);
    layout->addWidget(imgLogo, 1);
    layout->addLayout(mailRow);
    layout->addLayout(buttonRow({makeCloseButton()}));
}

void TfrmInfo::showInfo(Context& context, QWidget* owner)
{
    TfrmInfo info(context, owner);
    info.exec();
}

} // namespace rf
