#include "TfrmSplash.h"

#include "app/Product.h"
#include "common/ui/Context.h"
#include "common/ui/FieldBehaviour.h"
#include "common/ui/LinkLabel.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace rf {

namespace {
constexpr QRgb DarkBrown = 0xFF352525;
}

TfrmSplash::TfrmSplash(Context& context, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral(" %1 - realizzato da %2")
                       .arg(QString::fromUtf8(Product::Name), QString::fromUtf8(Product::Maker)));
    Form::dialogFrame(this, ClientWidth, ClientHeight);
    Form::gradientBackground(this, Form::WhiteFill, DarkBrown);

    auto* imgLogo =
        pictureLabel(QStringLiteral(":/app/artwork.svg"), QSize(613, 340), QStringLiteral("imgLogo"));
    imgLogo->setMinimumHeight(340);

    // The link sits on a white strip so that it stays readable over the dark lower half.
    auto* linkStrip = new QFrame;
    linkStrip->setObjectName(QStringLiteral("bkgWeb"));
    linkStrip->setStyleSheet(QStringLiteral("QFrame#bkgWeb { background: white; border-radius: 6px; }"));
    const QString site = QString::fromUtf8(Product::WebSite);
    auto* imgWeb =
        pictureLabel(QStringLiteral(":/app/icon_web.svg"), QSize(28, 28), QStringLiteral("imgWeb"));
    imgWeb->setFixedSize(32, 32);
    auto* lnkWeb = new LinkLabel(context, site, site);
    lnkWeb->setObjectName(QStringLiteral("lnkWeb"));
    lnkWeb->attachIcon(imgWeb);
    auto* stripLayout = new QHBoxLayout(linkStrip);
    stripLayout->setContentsMargins(10, 4, 14, 4);
    stripLayout->addWidget(imgWeb);
    stripLayout->addWidget(lnkWeb);

    auto* btnChiudi = new QPushButton(QStringLiteral("Chiudi"));
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setMinimumSize(110, 32);
    btnChiudi->setAutoDefault(false);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::accept);

    auto* footer = new QHBoxLayout;
    footer->addWidget(linkStrip);
    footer->addStretch(1);
    footer->addWidget(btnChiudi);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 18);
    layout->setSpacing(14);
    layout->addWidget(imgLogo, 1);
    layout->addLayout(footer);
}

void TfrmSplash::showCredits(Context& context, QWidget* owner)
{
    TfrmSplash credits(context, owner);
    credits.exec();
}

} // namespace rf
