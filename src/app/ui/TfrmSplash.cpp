#include "TfrmSplash.h"

#include "app/Product.h"
#include "common/ui/LinkLabel.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace rf {

TfrmSplash::TfrmSplash(Context& context, QWidget* parent)
    : FixedDialog(context, parent, QStringLiteral("frmSplash"),
                  QStringLiteral(" %1 - realizzato da %2")
                      .arg(QString::fromUtf8(Product::Name), QString::fromUtf8(Product::Maker)),
                  QSize(ClientWidth, ClientHeight), Style::White, Style::DarkBrown)
{
    QLabel* imgLogo =
        Style::pictureLabel(QStringLiteral(":/app/artwork.svg"), QSize(613, 340), QStringLiteral("imgLogo"));
    imgLogo->setMinimumHeight(340);

    // The link sits on a white strip so that it stays readable over the dark lower half.
    auto* linkStrip = new QFrame;
    linkStrip->setObjectName(QStringLiteral("bkgWeb"));
    linkStrip->setStyleSheet(QStringLiteral("QFrame#bkgWeb { background: white; border-radius: 6px; }"));
    const QString site = QString::fromUtf8(Product::WebSite);
    QHBoxLayout* stripLayout =
        linkRow(context, site, site, QStringLiteral(":/app/icon_web.svg"), QStringLiteral("imgWeb"), 28, 32);
    stripLayout->setContentsMargins(10, 4, 14, 4);
    linkStrip->setLayout(stripLayout);

    auto* footer = new QHBoxLayout;
    footer->addWidget(linkStrip);
    footer->addStretch(1);
    footer->addWidget(makeCloseButton());

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
