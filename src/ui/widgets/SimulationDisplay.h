// The simulation display: four rows of 20 characters drawn as the unit's LED dots, as the
// unit shows the current message. The rows are labels lblDisplay(1)..lblDisplay(4) that
// hold the row's text and draw it as dots on the panel.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <array>

#include "ledpanel/LedPanel.h"

namespace lt {

class SimulationDisplay : public QGroupBox {
    Q_OBJECT
public:
    explicit SimulationDisplay(QWidget* parent = nullptr);

    QLabel* row(int r) const { return lblDisplay[r]; }
    void setRow(int r, const QString& text);
    void setRowVisible(int r, bool visible);

    // The dark panel with the rows, and where its dots lie in its coordinates.
    QWidget* panel() const { return panel_; }
    led::LedGeometry panelGeometry() const;

    std::array<QLabel*, 5> lblDisplay{};

signals:
    void rowClicked(int row);
    void rowHovered(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* panel_ = nullptr;
};

} // namespace lt
