// The simulation display: four rows of 20 lit characters on a dark panel, as the unit
// shows the current message. The rows are labels lblDisplay(1)..lblDisplay(4).
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <array>

namespace lt {

class SimulationDisplay : public QGroupBox {
    Q_OBJECT
public:
    explicit SimulationDisplay(QWidget* parent = nullptr);

    QLabel* row(int r) const { return lblDisplay[r]; }
    void setRow(int r, const QString& text);
    void setRowVisible(int r, bool visible);

    std::array<QLabel*, 5> lblDisplay{};

signals:
    void rowClicked(int row);
    void rowHovered(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace lt
