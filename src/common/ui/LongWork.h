#pragma once

#include "storage/RecordScan.h"

#include <QElapsedTimer>
#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

namespace rf {

// Work on a whole archive that may take a while: a progress dialog with "Annulla" appears once it
// has lasted half a second, and cancelling it stops the work. Keep it no longer than the work.
class LongWork {
public:
    LongWork(QWidget* owner, const QString& label);
    ~LongWork();

    // What the scan or the writer reports to; false once the user cancelled.
    ScanProgress progress();

private:
    QWidget* m_owner;
    QString m_label;
    QElapsedTimer m_clock;
    std::unique_ptr<QProgressDialog> m_dialog;
};

} // namespace rf
