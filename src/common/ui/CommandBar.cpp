#include "CommandBar.h"

#include "common/ui/PictureButton.h"
#include "common/ui/StatusStrip.h"
#include "common/ui/Style.h"

#include <QHBoxLayout>
#include <QLabel>

namespace rf {

CommandBar::CommandBar(QLabel* panInfo, QWidget* parent) : QFrame(parent), m_panInfo(panInfo)
{
    setObjectName(QStringLiteral("panToolbar"));
    setStyleSheet(
        Style::sheet(QStringLiteral("#panToolbar { background-color: white; border-bottom: 1px solid"
                                    " @ToolbarRule; }")));
    setFixedHeight(58);
    m_row = new QHBoxLayout(this);
    m_row->setContentsMargins(12, 7, 12, 7);
    m_row->setSpacing(6);
}

PictureButton* CommandBar::add(const QString& name, const QString& picture, const QString& hint,
                               std::function<void()> action, QSize size)
{
    const QString resource =
        picture.startsWith(QLatin1Char(':')) ? picture : QStringLiteral(":/toolbar/%1.svg").arg(picture);
    PictureButton* button = PictureButton::create(resource, name, size, {}, this);
    Status::hint(button, m_panInfo, hint);
    if (action)
        connect(button, &PictureButton::clicked, this, std::move(action));
    else
        button->setEnabled(false);
    m_row->addWidget(button);
    return button;
}

QLabel* CommandBar::addBrowseGroup(const std::array<QString, 4>& hints,
                                   std::function<void(BrowseButton)> browse)
{
    auto browseTo = [browse](BrowseButton b) { return [browse, b] { browse(b); }; };
    add(QStringLiteral("cmdPrimo"), QStringLiteral("first"), hints[0], browseTo(BrowseButton::First));
    add(QStringLiteral("cmdIndietro"), QStringLiteral("previous"), hints[1],
        browseTo(BrowseButton::Previous));
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("lblPosizione"));
    label->setFixedWidth(90);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(Style::font(Style::Family::Verdana, 14, true));
    label->setStyleSheet(Style::sheet(QStringLiteral("color: @Ink; background: @IdleFill; border: 1px solid"
                                                     " @EditBorder; border-radius: 4px; padding: 4px;")));
    m_row->addWidget(label);
    add(QStringLiteral("cmdAvanti"), QStringLiteral("next"), hints[2], browseTo(BrowseButton::Next));
    add(QStringLiteral("cmdUltimo"), QStringLiteral("last"), hints[3], browseTo(BrowseButton::Last));
    return label;
}

void CommandBar::addSeparator()
{
    m_row->addSpacing(8);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::VLine);
    line->setStyleSheet(Style::sheet(QStringLiteral("color: @Mist;")));
    m_row->addWidget(line);
    m_row->addSpacing(8);
}

void CommandBar::addStretch()
{
    m_row->addStretch(1);
}

} // namespace rf
