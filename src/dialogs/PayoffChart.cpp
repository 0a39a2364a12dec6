// The payoff chart window: loading the chart through the hardened bitmap
// reader, fitting the window to it, and its help key.
#include "dialogs/PayoffChart.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

#include "dialogs/CabinetLook.h"
#include "dialogs/DialogAccessibility.h"
#include "dialogs/MessageBoxes.h"
#include "pictures/AssetFiles.h"
#include "pictures/BitmapFile.h"

namespace dialogs {

PayoffChart::PayoffChart(const QString& assetDir, PayoffChartServices services, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      Chart(this),
      services_(std::move(services))
{
    setWindowTitle(QStringLiteral("Payoff Chart"));
    ApplyCabinetLook(*this);
    setAutoFillBackground(true);
    setFixedSize(DesignClientSize);
    FormCreate(assetDir);
    if (QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

void PayoffChart::FormCreate(const QString& assetDir)
{
    // Drawing is suspended while the chart loads, and resumed whatever happens.
    setUpdatesEnabled(false);
    Chart.move(0, 0);
    const QString name = QStringLiteral("Paychart.bmp");
    const QString path = pictures::FindAssetFile(assetDir, {name, QStringLiteral("PAYCHART.BMP")});
    QImage chart;
    QString error;
    if (path.isEmpty()) {
        error = QStringLiteral("Cannot open file ") + assetDir + name;
    } else {
        chart = pictures::ReadBitmapFile(path, LargestChart);
        if (chart.isNull()) {
            error = QStringLiteral("Cannot read file %1: it is not a bitmap of at most %2 x %3 pixels")
                        .arg(path)
                        .arg(LargestChart.width())
                        .arg(LargestChart.height());
        }
    }
    if (!chart.isNull()) {
        Chart.SetPicture(chart, path);
        // The chart is a picture: a screen reader reads the pay table it shows.
        Chart.setAccessibleName(QStringLiteral("Payoff chart"));
        Chart.setAccessibleDescription(PayTableText());
        setFixedSize(chart.size());
    } else {
        Chart.hide();
    }
    setUpdatesEnabled(true);
    if (!error.isEmpty()) {
        if (services_.showError) {
            services_.showError(error);
        } else {
            MakeMessageBox(BoxIcon::Warning, QStringLiteral("Error"), error, QMessageBox::Ok, this)->exec();
        }
    }
}

void PayoffChart::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        event->accept();
        if (services_.showHelp) services_.showHelp(HelpContext);
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace dialogs
