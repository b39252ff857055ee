#include "viewer/window/WindowControls.h"

#include "picture/ChartFonts.h"
#include "viewer/StatusLine.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace sorkam {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("ViewerWindow", text);
}

// A font of the layout at another size: its point size times scale.
QFont scaled(QFont font, double scale) {
    if (scale != 1.0) {
        font.setPointSizeF(font.pointSizeF() * scale);
    }
    return font;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QLabel* makeStatusLine(QWidget* parent) {
    QLabel* status = makeLabel(parent, "statusLine", QString());
    // The status text takes the record's colour, white and yellow among them, on a background
    // chosen for that colour; until then the plots' grey.
    static_assert(kStatusGrey == ImagePlotSurface::kBackground);
    status->setAutoFillBackground(true);
    QPalette palette = status->palette();
    palette.setColor(QPalette::Window, toQColor(kStatusGrey));
    status->setPalette(palette);
    return status;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    // Its access key is its action's key, which works wherever the focus is; two owners of one
    // key would leave it to neither.
    button->setShortcut(QKeySequence());
    return button;
}

PlotWidget* makePlot(QWidget* parent, const char* name, const chart::TwipsRect& place, int dpi) {
    auto* plot = new PlotWidget(place, dpi, parent);
    plot->setObjectName(QString::fromLatin1(name));
    return plot;
}

void describe(QWidget* control, const char* name, const char* description) {
    control->setAccessibleName(tr(name));
    control->setAccessibleDescription(tr(description));
}

} // namespace

WindowControls::WindowControls(QWidget* window, int dpi)
    : plotA(makePlot(window, "plotA", chart::kPlotA, dpi)),
      plotB(makePlot(window, "plotB", chart::kPlotB, dpi)),
      captionA(makeLabel(window, "captionA", tr("VIDEO A"))),
      captionB(makeLabel(window, "captionB", tr("VIDEO B"))), statusLine(makeStatusLine(window)),
      clearButton(makeButton(window, "clearButton", tr("&Clear"))),
      previousButton(makeButton(window, "previousButton", tr("<"))),
      nextButton(makeButton(window, "nextButton", tr(">"))) {
    // The captions sit above the plot areas they name.
    captionA->lower();
    captionB->lower();
    QWidget::setTabOrder(plotA, nextButton);
    QWidget::setTabOrder(nextButton, previousButton);
    QWidget::setTabOrder(previousButton, clearButton);
    QWidget::setTabOrder(clearButton, plotB);

    describe(nextButton, "Next record", "Shows the next record over the ones shown before");
    describe(previousButton, "Previous record",
             "Shows the previous record over the ones shown before");
    describe(clearButton, "Clear", "Clears both plots back to the bare frame");
    describe(plotA, "VIDEO A plot", "Channels 1 and 3 of the records shown");
    describe(plotB, "VIDEO B plot", "Channels 2 and 4 of the records shown");
    describe(statusLine, "Status line", "The header texts of the record shown last");
}

void WindowControls::place(QWidget* window, int dpi) const {
    // The fonts' point sizes are the layout's at the screen's own dots per inch; a layout scaled
    // to another dpi scales them alike.
    const double fontScale = static_cast<double>(dpi) / screenDpi();
    window->setFont(scaled(chart::windowFont(), fontScale));
    const std::pair<QWidget*, chart::TwipsRect> places[] = {
        {captionA, chart::kCaptionA},
        {captionB, chart::kCaptionB},
        {statusLine, chart::kStatusLine},
        {clearButton, chart::kClearButton},
        {previousButton, chart::kPreviousButton},
        {nextButton, chart::kNextButton},
    };
    for (const auto& [control, place] : places) {
        control->setGeometry(chart::qRectOf(place, dpi));
        control->setFont(scaled(qobject_cast<QLabel*>(control) != nullptr ? chart::captionFont()
                                                                          : chart::buttonFont(),
                                fontScale));
    }
    plotA->setLayoutDpi(dpi);
    plotB->setLayoutDpi(dpi);
}

int screenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int dpi = screen != nullptr ? static_cast<int>(screen->logicalDotsPerInch() + 0.5) : 96;
    return dpi > 0 ? dpi : 96;
}

ScreenArea availableArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {0, 0, 1 << 16, 1 << 16};
    }
    const QRect area = screen->availableGeometry();
    return {area.left(), area.top(), area.width(), area.height()};
}

} // namespace sorkam
