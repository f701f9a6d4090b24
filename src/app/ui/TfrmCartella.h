#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;

namespace rf {

class Messages;

// Asked at the first start of an installation whose own folder cannot hold the data: where the
// data are to be kept, the user's "Rotaflux" folder offered, another one (a shared network folder)
// picked with Sfoglia. Continua makes the folder ready (chosen()) and closes accepted; Esci
// closes rejected, and the program ends.
class TfrmCartella : public QDialog {
    Q_OBJECT
public:
    // pickFolder shows the folder dialog from a start folder and returns the one picked (empty
    // when cancelled); programFolder holds the first password file a new data folder is given.
    TfrmCartella(Messages& messages, std::function<QString(QWidget*, const QString&)> pickFolder,
                 QString programFolder, QWidget* parent = nullptr);

    const QString& chosen() const { return m_chosen; }

    void btnSfogliaClick();
    void btnContinuaClick();

private:
    Messages& m_messages;
    std::function<QString(QWidget*, const QString&)> m_pickFolder;
    QString m_programFolder;
    QLineEdit* m_txtCartella = nullptr;
    QString m_chosen;
};

} // namespace rf
