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
    // The preview reports its failures and asks where to save through these.
    PrinterReportOutput(Messages& messages, FileDialogs& dialogs) : m_messages(messages), m_dialogs(dialogs)
    {
    }
    bool preview(QWidget* owner, const Reports::Document& document) override;
    bool print(QWidget* owner, const Reports::Document& document) override;

private:
    Messages& m_messages;
    FileDialogs& m_dialogs;
};

// The preview window of a prepared document: print, zoom, full screen, save as PDF, close.
class ReportPreview : public QDialog {
    Q_OBJECT
public:
    ReportPreview(const Reports::Document& document, QWidget* owner, Messages& messages,
                  FileDialogs& dialogs);
    ~ReportPreview() override;

    QPrintPreviewWidget* previewWidget() const { return m_preview; }

private:
    void printDocument();
    void savePdf();
    void toggleFullScreen();

    Messages& m_messages;
    FileDialogs& m_dialogs;
    Reports::Document m_document;
    std::unique_ptr<QPrinter> m_printer;
    QPrintPreviewWidget* m_preview;
};

// Asks where to save the document as a PDF (in the documents folder, under its own name) and saves
// it there, warning when it cannot; nothing when the user cancels.
void saveAsPdf(QWidget* owner, const Reports::Document& document, Messages& messages, FileDialogs& dialogs);

// Prints through the print dialog on the given printer; false when printing failed.
bool printWithDialog(QWidget* owner, QPrinter& printer, const Reports::Document& document);

} // namespace rf
