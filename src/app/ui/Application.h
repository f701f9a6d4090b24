#pragma once

#include <QObject>

#include <memory>

class QApplication;

namespace rf {

class Context;
class TfrmAutoparco;
class TfrmAvvio;
class TfrmCambiaPassword;
class TfrmContratti_Noleggio_Bici;
class TfrmMenuCamere;
class TfrmPassword;
class TfrmPlanning;

// Creates each persistent window once, when it is first needed (only the login window is built
// before the program shows), and hands over between them: the target is shown first, then the
// source hidden. The program ends when the login or the launcher asks to.
class Application : public QObject {
    Q_OBJECT
public:
    explicit Application(Context& context);
    ~Application() override;

    // Shows the login window, the only visible one at start.
    void start();

    // The program with the real services over the executable's folder.
    static int run(QApplication& app);

    TfrmPassword* login() const { return m_login.get(); }
    TfrmCambiaPassword* changePassword();
    TfrmAvvio* launcher();
    // The work windows, each built the first time it is asked for.
    TfrmAutoparco* fleet();
    TfrmContratti_Noleggio_Bici* contracts();
    TfrmMenuCamere* plannerEntry();
    TfrmPlanning* planning();

signals:
    void quitRequested();

private:
    void connectFlow();
    // The day's work over the launcher; a contract or a vehicle asked for there opens in its window.
    void openToday(TfrmAvvio* from);

    Context& m_context;
    std::unique_ptr<TfrmPassword> m_login;
    std::unique_ptr<TfrmCambiaPassword> m_changePassword;
    std::unique_ptr<TfrmAvvio> m_launcher;
    std::unique_ptr<TfrmContratti_Noleggio_Bici> m_contracts;
    std::unique_ptr<TfrmAutoparco> m_fleet;
    std::unique_ptr<TfrmMenuCamere> m_plannerEntry;
    std::unique_ptr<TfrmPlanning> m_planning;
};

} // namespace rf
