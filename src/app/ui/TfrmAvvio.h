#pragma once

#include <QWidget>

#include <vector>

class QLayout;

namespace rf {

class Context;
class PictureButton;

// The launcher: four tiles leading to the work areas and the day's work, the season's statistics, the
// information, guide and credits windows, the maker's web site and the way out. The application shows the
// chosen work area and hides the launcher; closing the launcher by any means ends the program. From the
// keyboard, Tab and the arrows go from tile to tile, Enter opens the tile, and the keys 1 to 4 open them.
class TfrmAvvio : public QWidget {
    Q_OBJECT
public:
    // The content is laid out on a fixed panel, centred in the window whatever its size.
    static constexpr int PanelWidth = 995;
    static constexpr int PanelHeight = 692;

    explicit TfrmAvvio(Context& context, QWidget* parent = nullptr);

    // Shows the launcher maximised and brings it to the front.
    void showWindow();

signals:
    void openFleet();
    void openPlanner();
    void openContracts();
    void openToday();
    void openStatistics();
    void openBackup();
    void exitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* buildPanel();
    QLayout* buildTop();
    QLayout* buildTiles();
    QLayout* buildBottom();
    QWidget* buildTile(int number, const QString& tile, const QString& button, const QString& hint,
                       void (TfrmAvvio::*signal)());
    void imgInfoClick();
    void imgGuidaClick();
    void imgCreditiClick();
    void imgSitoClick();

    Context& m_context;
    std::vector<PictureButton*> m_tiles; // the tiles' labelled buttons, left to right
};

} // namespace rf
