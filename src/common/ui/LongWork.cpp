#include "LongWork.h"

#include <QProgressDialog>

namespace rf {

namespace {
constexpr qint64 ShowAfterMs = 500;
}

LongWork::LongWork(QWidget* owner, const QString& label) : m_owner(owner), m_label(label)
{
    m_clock.start();
}

LongWork::~LongWork() = default;

ScanProgress LongWork::progress()
{
    return [this](qint64 done, qint64 total) {
        // The dialog is made only once the work has lasted long enough to need it.
        if (!m_dialog) {
            if (m_clock.elapsed() < ShowAfterMs)
                return true;
            m_dialog = std::make_unique<QProgressDialog>(m_label, QStringLiteral("Annulla"), 0, 0, m_owner);
            m_dialog->setWindowTitle(QStringLiteral(" Rotaflux"));
            m_dialog->setWindowModality(Qt::WindowModal);
            m_dialog->setMinimumDuration(0);
            m_dialog->setAutoClose(false);
            m_dialog->setAutoReset(false);
        }
        // The dialog counts in ints; a very large total is reported in thousands.
        const int scale = total > 1000000 ? 1000 : 1;
        m_dialog->setMaximum(int(total / scale));
        m_dialog->setValue(int(done / scale));
        return !m_dialog->wasCanceled();
    };
}

} // namespace rf
