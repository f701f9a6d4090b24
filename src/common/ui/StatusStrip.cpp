#include "StatusStrip.h"

#include "common/ui/FieldBehaviour.h"
#include "common/ui/Style.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>

namespace rf::Status {

QLabel* makeStrip(QWidget* parent, const QString& idleText, QWidget** strip)
{
    auto* shpInfo = new QFrame(parent);
    shpInfo->setObjectName(QStringLiteral("shpInfo"));
    shpInfo->setStyleSheet(Style::sheet(QStringLiteral("#shpInfo { background-color: @StatusStrip;"
                                                       " border: 1px solid @StatusStrip; }")));
    shpInfo->setFixedHeight(26);
    auto* layout = new QHBoxLayout(shpInfo);
    layout->setContentsMargins(8, 0, 8, 0);
    auto* panInfo = new QLabel(idleText, shpInfo);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    panInfo->setFont(Style::font(Style::Family::Tahoma, 12));
    panInfo->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    layout->addWidget(panInfo);
    if (strip)
        *strip = shpInfo;
    return panInfo;
}

void hint(QWidget* source, QLabel* panInfo, const QString& hint)
{
    QPointer<QLabel> label(panInfo);
    Form::onEvent(source, [label, hint](QEvent* e) {
        if (e->type() == QEvent::Enter && label)
            label->setText(hint);
        return false;
    });
}

void clears(QWidget* background, QLabel* panInfo)
{
    QPointer<QLabel> label(panInfo);
    background->setMouseTracking(true);
    Form::onEvent(background, [label](QEvent* e) {
        if ((e->type() == QEvent::Enter || e->type() == QEvent::MouseMove) && label &&
            !label->text().isEmpty())
            label->clear();
        return false;
    });
}

} // namespace rf::Status
