#include "FiscalCheckDialog.h"

#include "common/ui/Form.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace rf {

namespace {
constexpr int ClientWidth = 440;
constexpr int ClientHeight = 292;
const QSize BannerBox(420, 96);
} // namespace

FiscalCheckDialog::FiscalCheckDialog(Context& context, QWidget* owner, const Look& look)
    : FixedDialog(context, owner, look.objectName, look.caption, QSize(ClientWidth, ClientHeight))
{
    QLabel* lblIstruzioni = Style::caption(look.prompt, 12, this);
    lblIstruzioni->setObjectName(QStringLiteral("lblIstruzioni"));
    lblIstruzioni->setWordWrap(true);
    lblIstruzioni->setAlignment(Qt::AlignCenter);
    // Two lines of about even length read better than a long line and a lone last word.
    const int textWidth = QFontMetrics(lblIstruzioni->font()).horizontalAdvance(look.prompt);
    lblIstruzioni->setFixedWidth(std::min(ClientWidth - 40, textWidth / 2 + 80));

    m_edit = new QLineEdit(this);
    m_edit->setObjectName(look.editName);
    m_edit->setMaxLength(look.maxLength);
    m_edit->setAlignment(Qt::AlignCenter);
    QFont editFont = Style::font(Style::Family::Verdana, 16, true);
    editFont.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    m_edit->setFont(editFont);
    m_edit->setFixedSize(280, 30);
    m_edit->setStyleSheet(Style::sheet(QStringLiteral(
        "QLineEdit { background: white; color: @Ink; border: 1px solid @EditBorder; border-radius: 3px; }")));
    QWidget* editHolder = Form::highlightByRectangle(m_edit, look.effName);

    m_btnControlla =
        Style::button(QStringLiteral("btnControlla"), QStringLiteral("Controlla"), QSize(110, 32), this);
    m_btnChiudi = Style::button(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QSize(110, 32), this);
    // Enter on either button presses it, as "Controlla" is where the edit's Enter leads.
    m_btnControlla->setAutoDefault(true);
    m_btnChiudi->setAutoDefault(true);
    Form::enterMovesTo(m_edit, m_btnControlla);
    connect(m_btnControlla, &QPushButton::clicked, this, [this] { check(); });
    connect(m_btnChiudi, &QPushButton::clicked, this, &QDialog::reject);

    QLabel* imgBanner = makeBanner(look.banner, BannerBox - QSize(2, 2), QStringLiteral("imgBanner"));
    imgBanner->setFixedSize(BannerBox);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 16);
    layout->setSpacing(6);
    layout->addWidget(imgBanner, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    auto* column = new QVBoxLayout;
    column->setContentsMargins(20, 0, 20, 0);
    column->setSpacing(4);
    column->addWidget(lblIstruzioni, 0, Qt::AlignHCenter);
    column->addWidget(editHolder, 0, Qt::AlignHCenter);
    layout->addLayout(column);
    layout->addStretch(1);
    layout->addLayout(buttonRow({m_btnControlla, m_btnChiudi}));

    setTabOrder(m_edit, m_btnControlla);
    setTabOrder(m_btnControlla, m_btnChiudi);
}

void FiscalCheckDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_edit->setFocus(Qt::OtherFocusReason);
}

} // namespace rf
