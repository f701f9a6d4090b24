#include "ReportPreview.h"

#include "common/ui/Style.h"
#include "reports/Render.h"
#include "storage/MessageBreaks.h"

#include <QDir>
#include <QHBoxLayout>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace rf {
namespace {

// The name a saved copy of document is offered under, with its extension.
QString pdfName(const Reports::Document& document)
{
    return (document.fileName.isEmpty() ? document.name : document.fileName) + QStringLiteral(".pdf");
}

std::unique_ptr<QPrinter> makePrinter(const Reports::Document& document)
{
    // QPrinter starts on the system's default printer; with none installed it prints to a PDF file.
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(document.name);
    printer->setFullPage(true);
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        printer->setOutputFileName(QDir(folder).filePath(pdfName(document)));
    }
    if (!document.pages.empty())
        printer->setPageOrientation(document.pages.front().orientation);
    return printer;
}

} // namespace

bool printWithDialog(QWidget* owner, QPrinter& printer, const Reports::Document& document)
{
    QPrintDialog dialog(&printer, owner);
    dialog.setWindowTitle(QStringLiteral(" Stampa"));
    if (dialog.exec() != QDialog::Accepted)
        return true;
    return Reports::renderDocument(printer, document);
}

bool PrinterReportOutput::print(QWidget* owner, const Reports::Document& document)
{
    if (document.pages.empty())
        return false;
    const std::unique_ptr<QPrinter> printer = makePrinter(document);
    return printWithDialog(owner, *printer, document);
}

bool PrinterReportOutput::preview(QWidget* owner, const Reports::Document& document)
{
    if (document.pages.empty())
        return false;
    ReportPreview window(document, owner, m_messages, m_dialogs);
    window.exec();
    return true;
}

ReportPreview::ReportPreview(const Reports::Document& document, QWidget* owner, Messages& messages,
                             FileDialogs& dialogs)
    : QDialog(owner), m_messages(messages), m_dialogs(dialogs), m_document(document),
      m_printer(makePrinter(document))
{
    setObjectName(QStringLiteral("frmAnteprimaReport"));
    setWindowTitle(QStringLiteral(" Anteprima di stampa - ") + document.name);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    resize(1000, 760);

    m_preview = new QPrintPreviewWidget(m_printer.get(), this);
    m_preview->setObjectName(QStringLiteral("prvDocumento"));
    m_preview->setZoomMode(QPrintPreviewWidget::FitInView);
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { Reports::renderDocument(*printer, m_document); });

    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("panComandi"));
    bar->setStyleSheet(Style::sheet(QStringLiteral("#panComandi { background: white; border-bottom: 1px solid"
                                                   " @ToolbarRule; }")));
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(10, 6, 10, 6);
    QPushButton* print = Style::button(QStringLiteral("btnStampa"), QStringLiteral("Stampa..."), {}, bar);
    QPushButton* pdf = Style::button(QStringLiteral("btnPdf"), QStringLiteral("Salva PDF..."), {}, bar);
    QPushButton* zoomIn = Style::button(QStringLiteral("btnZoomPiu"), QStringLiteral("Zoom +"), {}, bar);
    QPushButton* zoomOut = Style::button(QStringLiteral("btnZoomMeno"), QStringLiteral("Zoom -"), {}, bar);
    QPushButton* fit = Style::button(QStringLiteral("btnAdatta"), QStringLiteral("Pagina intera"), {}, bar);
    QPushButton* fullScreen =
        Style::button(QStringLiteral("btnSchermoIntero"), QStringLiteral("Schermo intero"), {}, bar);
    QPushButton* close = Style::button(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), {}, bar);
    for (QPushButton* b : {print, pdf})
        row->addWidget(b);
    row->addSpacing(16);
    for (QPushButton* b : {zoomIn, zoomOut, fit, fullScreen})
        row->addWidget(b);
    row->addStretch(1);
    row->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_preview, 1);

    connect(print, &QPushButton::clicked, this, &ReportPreview::printDocument);
    connect(pdf, &QPushButton::clicked, this, &ReportPreview::savePdf);
    connect(zoomIn, &QPushButton::clicked, m_preview, [this] { m_preview->zoomIn(1.25); });
    connect(zoomOut, &QPushButton::clicked, m_preview, [this] { m_preview->zoomOut(1.25); });
    connect(fit, &QPushButton::clicked, m_preview, &QPrintPreviewWidget::fitInView);
    connect(fullScreen, &QPushButton::clicked, this, &ReportPreview::toggleFullScreen);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

ReportPreview::~ReportPreview() = default;

void ReportPreview::printDocument()
{
    if (!printWithDialog(this, *m_printer, m_document))
        m_messages.warning(this,
                           QStringLiteral("Attenzione: la stampa non è andata a buon fine." RF_BREAK_LF_CR
                                          "Si consiglia di controllare le impostazioni della stampante."));
}

void ReportPreview::savePdf()
{
    saveAsPdf(this, m_document, m_messages, m_dialogs);
}

void saveAsPdf(QWidget* owner, const Reports::Document& document, Messages& messages, FileDialogs& dialogs)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString path = dialogs.saveFile(owner, QStringLiteral("Salva il documento in formato PDF"),
                                    QDir(folder).filePath(pdfName(document)), Style::PdfFileFilter);
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    if (!Reports::writePdf(document, path))
        messages.warning(owner, QStringLiteral("Attenzione: non è stato possibile salvare il documento in "
                                               "formato PDF." RF_BREAK_LF_CR
                                               "Accertarsi di possedere i privilegi di "
                                               "scrittura nella cartella scelta."));
}

void ReportPreview::toggleFullScreen()
{
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
}

} // namespace rf
