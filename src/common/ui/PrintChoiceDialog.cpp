#include "PrintChoiceDialog.h"

#include "common/ui/Context.h"
#include "common/ui/PictureButton.h"
#include "reports/Layout.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <exception>

namespace rf {

namespace {
constexpr int Margin = 10;
constexpr int BannerHeight = 108;
constexpr int ChoiceHeight = 48;
constexpr int ChoiceIcon = 26;
const QSize SideBySide(150, 30);
} // namespace

bool outputReport(Context& context, QWidget* owner, const Reports::Report& report, Output output,
                  const QString& failureMessage)
{
    bool done = false;
    try {
        const Reports::Prepared prepared = Reports::prepare(report, context.clock().today());
        done = prepared.ok && (output == Output::Preview ? context.reports().preview(owner, prepared.document)
                                                         : context.reports().print(owner, prepared.document));
    } catch (const std::exception&) {
        done = false; // a picture too large to lay out or to render
    }
    if (!done && !failureMessage.isEmpty())
        context.messages().warning(owner, failureMessage);
    return done;
}

PrintChoiceDialog::PrintChoiceDialog(Context& context, QWidget* owner, const Frame& frame)
    : FixedDialog(context, owner, frame.objectName, frame.caption, frame.client, frame.top),
      m_look(frame.look)
{
    setStyleSheet(Style::sheet(QStringLiteral("QFrame#panComandi, QFrame#panLogo { background: @PanelWash;"
                                              " border: 1px solid @PanelBorder; border-radius: 6px; }")));
    auto* panel = new QFrame(this);
    auto* close = Style::button(QStringLiteral("btnAnnulla"), frame.closeText);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);

    if (m_look == Look::Banner) {
        const QSize bannerBox(frame.client.width() - 2 * Margin, BannerHeight);
        QLabel* imgBanner = makeBanner(frame.picture, bannerBox - QSize(2, 2), QStringLiteral("imgBanner"));
        imgBanner->setFixedSize(bannerBox);
        panel->setObjectName(QStringLiteral("panComandi"));
        m_choices = new QVBoxLayout(panel);
        m_choices->setContentsMargins(12, 14, 12, 14);
        m_choices->setSpacing(14);
        close->setFixedSize(120, 32);
        layout->setContentsMargins(Margin, Margin, Margin, 14);
        layout->setSpacing(0);
        layout->addWidget(imgBanner, 0, Qt::AlignHCenter);
        layout->addStretch(1);
        layout->addWidget(panel);
        layout->addStretch(1);
        layout->addWidget(close, 0, Qt::AlignHCenter);
    } else {
        panel->setObjectName(QStringLiteral("panLogo"));
        auto* imgLogo01 = new SvgPicture(frame.picture);
        imgLogo01->setObjectName(frame.pictureName);
        auto* panelLayout = new QVBoxLayout(panel);
        panelLayout->setContentsMargins(14, 12, 14, 6);
        panelLayout->addWidget(imgLogo01);
        close->setFixedSize(SideBySide);
        m_buttonRow = new QHBoxLayout;
        m_buttonRow->addStretch(1);
        m_buttonRow->addWidget(close);
        layout->setContentsMargins(12, 12, 12, 12);
        layout->setSpacing(12);
        layout->addWidget(panel, 1);
        layout->addLayout(m_buttonRow);
    }
}

QPushButton* PrintChoiceDialog::addChoice(Choice choice)
{
    const int index = int(m_entries.size());
    const QString icon = choice.output == Output::Preview ? QStringLiteral(":/toolbar/preview.svg")
                                                          : QStringLiteral(":/toolbar/print.svg");
    QPushButton* button = nullptr;
    if (m_look == Look::Banner) {
        button = Style::pictureTextButton(choice.objectName, choice.text, icon, ChoiceHeight, ChoiceIcon);
        m_choices->addWidget(button);
    } else {
        button = Style::button(choice.objectName, choice.text, SideBySide);
        m_buttonRow->insertWidget(index, button);
    }
    if (index == 0) {
        button->setDefault(true);
        button->setFocus(); // the dialog opens on its first document
    }
    m_entries.push_back(std::move(choice));
    connect(button, &QPushButton::clicked, this, [this, index] { choose(index); });
    return button;
}

void PrintChoiceDialog::showEvent(QShowEvent* event)
{
    // Every choice reads whole: a dialog too small for a button's text (known only once the
    // style sheets apply) grows to fit it, about its centre.
    if (QLayout* whole = layout(); whole && m_look == Look::Banner && !event->spontaneous()) {
        const QSize needed = whole->totalSizeHint().expandedTo(size());
        if (needed != size()) {
            const QSize grown = needed - size();
            setFixedSize(needed);
            move(pos() - QPoint(grown.width() / 2, grown.height() / 2));
        }
    }
    FixedDialog::showEvent(event);
}

void PrintChoiceDialog::choose(int index)
{
    const Choice& choice = m_entries.at(std::size_t(index));
    const std::optional<Reports::Report> report = choice.build();
    if (!report) {
        m_context.messages().warning(this, choice.failure);
        reject();
        return;
    }
    if (outputReport(m_context, this, *report, choice.output, choice.failure))
        accept();
    else
        reject();
}

} // namespace rf
