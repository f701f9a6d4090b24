#pragma once

#include "common/ui/Context.h"
#include "reports/Layout.h"

#include <QDialog>

class QPrintPreviewWidget;
class QPrinter;

namespace rf {

// The report output of the program: the preview window, the print dialog and the printer.
class PrinterReportOutput final : public ReportOutput {
public:
    bool preview(QWidget* owner, const report::Document& document) override;
    bool print(QWidget* owner, const report::Document& document) override;
};

// The preview window of a prepared document: print, zoom, full screen, save as PDF, close.
class ReportPreview : public QDialog {
    Q_OBJECT
public:
    ReportPreview(const report::Document& document, QWidget* owner);
    ~ReportPreview() override;

    QPrintPreviewWidget* previewWidget() const { return m_preview; }

private:
    void printDocument();
    void savePdf();
    void toggleFullScreen();

    report::Document m_document;
    std::unique_ptr<QPrinter> m_printer;
    QPrintPreviewWidget* m_preview;
};

enum class Output { Preview, Print };

// Prepares a filled report and sends it to the preview or the printer. On any failure (a name the
// filling did not find, the layout, memory for a huge picture, the output) shows failureMessage in a warning box and returns
// false.
bool OutputReport(Context& context, QWidget* owner, const report::Report& report, Output output,
                  const QString& failureMessage);

// Prints through the print dialog on the given printer; false when printing failed.
bool PrintWithDialog(QWidget* owner, QPrinter& printer, const report::Document& document);

} // namespace rf
