#include "CommandBar.h"

#include "FieldBehaviour.h"
#include "PictureButton.h"

#include <QHBoxLayout>
#include <QLabel>

namespace rf {

CommandBar::CommandBar(QLabel* panInfo, QWidget* parent) : QFrame(parent), m_panInfo(panInfo)
{
    setObjectName(QStringLiteral("panToolbar"));
    setStyleSheet(QStringLiteral("#panToolbar { background-color: white; border-bottom: 1px solid #B0C4DE; }"));
    setFixedHeight(58);
    m_row = new QHBoxLayout(this);
    m_row->setContentsMargins(12, 7, 12, 7);
    m_row->setSpacing(6);
}

PictureButton* CommandBar::add(const QString& name, const QString& picture, const QString& hint,
                               std::function<void()> action, QSize size)
{
    auto* button = new PictureButton(picture.startsWith(QLatin1Char(':')) ? picture
                                                                          : QStringLiteral(":/toolbar/%1.svg").arg(picture),
                                     this);
    button->setObjectName(name);
    button->setFixedSize(size);
    Form::statusHint(button, m_panInfo, hint);
    if (action)
        connect(button, &PictureButton::clicked, this, std::move(action));
    else
        button->setEnabled(false);
    m_row->addWidget(button);
    return button;
}

QLabel* CommandBar::addPositionLabel()
{
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("lblPosizione"));
    label->setFixedWidth(90);
    label->setAlignment(Qt::AlignCenter);
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(14);
    font.setBold(true);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: #1F2A44; background: #F0F8FF; border: 1px solid #87CEEB;"
                                        " border-radius: 4px; padding: 4px;"));
    m_row->addWidget(label);
    return label;
}

void CommandBar::addSeparator()
{
    m_row->addSpacing(8);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::VLine);
    line->setStyleSheet(QStringLiteral("color: #C8D6E3;"));
    m_row->addWidget(line);
    m_row->addSpacing(8);
}

void CommandBar::addStretch()
{
    m_row->addStretch(1);
}

} // namespace rf
