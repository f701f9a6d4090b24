#include "ExportWindow.h"

#include "common/ui/CommandBar.h"
#include "common/ui/Context.h"
#include "common/ui/LongWork.h"
#include "common/ui/PictureButton.h"
#include "common/ui/Status.h"
#include "common/ui/TfrmGuida.h"
#include "common/ui/UserTexts.h"
#include "storage/MessageBreaks.h"
#include "storage/WholeFile.h"

#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

namespace rf {

namespace {
constexpr int ClientWidth = 862;
constexpr int ClientHeight = 560;
constexpr int EmptyRows = 10;
constexpr int RowHeight = 21;

const QString ExportQuestion = QStringLiteral(
    "L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del numero di schede "
    "presenti in archivio." RF_BREAK_CR_LF "Si vuole esportare i dati adesso?");
const QString OpenQuestion =
    QStringLiteral("Le schede in archivio sono state esportate con successo." RF_BREAK_CR_LF
                   "Si vuole aprire il file di Excel?");
const QString ExportFailed =
    QStringLiteral("Attenzione: il sistema non permette di esportare i "
                   "dati." RF_BREAK_LF_CR "Accertarsi che il file di Excel non sia già "
                   "aperto.");
const QString UnreadArchive = QStringLiteral(
    "Attenzione: non è stato possibile leggere l'intero archivio, quindi i dati non vengono "
    "esportati." RF_BREAK_LF_CR "Il file di Excel esportato in precedenza non è stato modificato.");
const QString ReadInterrupted =
    QStringLiteral("La lettura dell'archivio è stata interrotta: i dati non vengono esportati.");
} // namespace

// ---- the grid --------------------------------------------------------------------------------

void ExportModel::reload()
{
    beginResetModel();
    endResetModel();
}

int ExportModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return m_table.rowCount() == 0 ? EmptyRows : int(m_table.rowCount());
}

int ExportModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size()) + 1;
}

QVariant ExportModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_table.rowCount())
        return {};
    if (index.column() == 0)
        return QString::number(index.row() + 1);
    return m_table.cell(index.row(), index.column() - 1);
}

QVariant ExportModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section > int(m_columns.size()))
        return {};
    if (role == Qt::DisplayRole)
        return section == 0 ? QStringLiteral("N.") : m_columns[std::size_t(section - 1)].gridHeader;
    if (role == Qt::SizeHintRole)
        return QSize(section == 0 ? 60 : m_columns[std::size_t(section - 1)].gridWidth, RowHeight);
    return {};
}

// ---- the window ------------------------------------------------------------------------------

ExportWindow::ExportWindow(Context& context, QWidget* owner, const Look& look, ExportSource source)
    : FixedDialog(context, owner, look.objectName, look.caption, QSize(ClientWidth, ClientHeight)),
      m_look(look), m_source(std::move(source)), m_table(int(m_source.columns.size())),
      m_model(m_source.columns, m_table)
{
    QWidget* strip = nullptr;
    m_panInfo = Status::makeStrip(this, QStringLiteral("Esportazione archivio in Microsoft Excel."), &strip);

    auto* bar = new CommandBar(m_panInfo);
    QWidget* cmdEsporta = bar->add(QStringLiteral("cmdEsporta"), QStringLiteral("export"),
                                   QStringLiteral("Esporta l'archivio in formato Microsoft Excel."),
                                   [this] { cmdEsportaClick(); });
    bar->addStretch();
    bar->add(QStringLiteral("cmdGuida"), QStringLiteral("help"),
             QStringLiteral("Visualizza la pagina della guida sensibile al contesto."),
             [this] { cmdGuidaClick(); });
    bar->add(QStringLiteral("cmdEsci"), QStringLiteral("exit"),
             QStringLiteral("Esci da questo ambiente di lavoro."), [this] { reject(); });

    m_grdRecords = new QTableView;
    m_grdRecords->setObjectName(QStringLiteral("grdRecords"));
    m_grdRecords->setModel(&m_model);
    m_grdRecords->setAlternatingRowColors(true);
    QPalette rows = m_grdRecords->palette();
    rows.setColor(QPalette::AlternateBase, QColor::fromRgba(Style::IdleFill));
    m_grdRecords->setPalette(rows);
    m_grdRecords->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdRecords->setTabKeyNavigation(false); // Tab leaves the grid for the commands
    m_grdRecords->verticalHeader()->hide();
    m_grdRecords->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grdRecords->verticalHeader()->setDefaultSectionSize(RowHeight);
    m_grdRecords->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    for (int c = 0; c < m_model.columnCount(); ++c)
        m_grdRecords->setColumnWidth(
            c, m_model.headerData(c, Qt::Horizontal, Qt::SizeHintRole).toSize().width());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_grdRecords, 1);
    layout->addWidget(strip);
    Status::clears(this, m_panInfo);
    Status::clears(m_grdRecords->viewport(), m_panInfo);
    // The window opens on its one task: Enter exports.
    cmdEsporta->setFocus(Qt::OtherFocusReason);

    // The grid shows the archive as it is now. An archive not read to its end is never exported:
    // a partial sheet would replace the last good one.
    ScanResult read = ScanResult::Failed;
    {
        LongWork work(owner, QStringLiteral("Lettura dell'archivio in corso. Attendere..."));
        read = fillExportTable(m_context.path(m_source.archive), m_source.layout, m_source.columns, m_table,
                               work.progress());
    }
    m_model.reload();
    if (read != ScanResult::Done) {
        m_incomplete = true;
        m_panInfo->setText(read == ScanResult::Cancelled ? ReadInterrupted
                                                         : UnreadArchive.section(QLatin1Char('\n'), 0, 0));
    }
}

void ExportWindow::cmdEsportaClick()
{
    if (m_incomplete) {
        m_context.messages().warning(this, UnreadArchive);
        return;
    }
    if (!m_context.messages().confirm(this, ExportQuestion))
        return;
    const QString path = m_context.path(m_source.fileName);
    WriteResult result = WriteResult::Failed;
    {
        // The progress dialog lives only as long as the writing, never over the next question.
        LongWork work(this, QStringLiteral("Esportazione in corso. Attendere..."));
        result = writeSpreadsheet(path, m_source.worksheet, m_source.columns, m_table, work.progress());
    }
    if (result == WriteResult::Cancelled)
        return;
    if (result == WriteResult::Link) {
        m_context.messages().warning(this, Texts::linkRefused(m_source.fileName));
        return;
    }
    if (result == WriteResult::Failed) {
        m_context.messages().plain(this, ExportFailed);
        return;
    }
    if (m_context.messages().confirm(this, OpenQuestion))
        m_context.shell().open(QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"'));
}

void ExportWindow::cmdGuidaClick()
{
    TfrmGuida::showGuide(m_context, this, m_look.guideTitle, m_look.guide);
}

} // namespace rf
