#include "LongWork.h"

#include <QProgressDialog>

namespace rf {

LongWork::LongWork(QWidget* owner, const QString& label)
    : m_dialog(std::make_unique<QProgressDialog>(label, QStringLiteral("Annulla"), 0, 0, owner))
{
    m_dialog->setWindowTitle(QStringLiteral(" Rotaflux"));
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(500);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
}

LongWork::~LongWork() = default;

ScanProgress LongWork::progress()
{
    QProgressDialog* dialog = m_dialog.get();
    return [dialog](qint64 done, qint64 total) {
        // The dialog counts in ints; a very large total is reported in thousands.
        const int scale = total > 1000000 ? 1000 : 1;
        dialog->setMaximum(int(total / scale));
        dialog->setValue(int(done / scale));
        return !dialog->wasCanceled();
    };
}

} // namespace rf
