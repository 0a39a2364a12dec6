// The payoff chart window: the theme's "Paychart.bmp", the window
// sized to fit it.
#pragma once

#include <QDialog>
#include <QSize>
#include <QString>

#include <functional>

#include "dialogs/PictureControl.h"

namespace dialogs {

// What the chart window asks of the main window. An empty function falls
// back to a plain Qt warning box, and to nothing for help.
struct PayoffChartServices {
    std::function<void(const QString& text)> showError;  // a chart that cannot be loaded
    std::function<void(int topic)> showHelp;             // the manual at a help topic
};

class PayoffChart : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpContext = 41010;
    // The window's size when there is no chart to fit.
    static constexpr QSize DesignClientSize{632, 413};
    // The largest chart shown; a larger picture is refused before it is read.
    static constexpr QSize LargestChart{4096, 4096};

    // Loads the chart from assetDir; a chart that cannot be loaded is told
    // through showError, and the window opens empty.
    PayoffChart(const QString& assetDir, PayoffChartServices services, QWidget* owner = nullptr);

    PictureControl Chart;  // the chart

    bool ChartLoaded() const { return !Chart.Picture().isNull(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormCreate(const QString& assetDir);

    PayoffChartServices services_;
};

}  // namespace dialogs
