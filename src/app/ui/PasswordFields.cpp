#include "PasswordFields.h"

#include "common/ui/Style.h"

#include <QLabel>
#include <QLineEdit>

namespace rf {

QLabel* makePasswordBanner(QWidget* parent, const QSize& box)
{
    QLabel* imgLogo =
        Style::pictureLabel(QStringLiteral(":/app/banner.svg"), box, QStringLiteral("imgLogo"), parent);
    imgLogo->setFixedSize(box);
    return imgLogo;
}

QLineEdit* makePasswordEdit(QWidget* parent, const QString& objectName)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setEchoMode(QLineEdit::Password);
    edit->setFont(Style::font(Style::Family::Verdana, 14, true));
    edit->setMinimumHeight(28);
    return edit;
}

} // namespace rf
