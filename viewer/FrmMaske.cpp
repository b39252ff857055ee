#include "FrmMaske.h"

#include "TextDisplay.h"
#include "WindowLayout.h"
#include "WindowStyle.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>

namespace sorkam {

namespace {

int screenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int dpi = screen != nullptr ? static_cast<int>(screen->logicalDotsPerInch() + 0.5) : 96;
    return dpi > 0 ? dpi : 96;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& rect) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setFont(serifFont(layout::kLabelPointSize));
    label->setGeometry(rect);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, const QRect& rect) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(buttonFont());
    button->setGeometry(rect);
    button->setAutoDefault(false);
    return button;
}

qreal screenRatio() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->devicePixelRatio() : 1.0;
}

PlotWidget* makePlot(QWidget* parent, const char* name, const QRect& rect, int dpi) {
    auto* plot = new PlotWidget(rect.size(), dpi, screenRatio(), parent);
    plot->setObjectName(QString::fromLatin1(name));
    plot->move(rect.topLeft());
    return plot;
}

} // namespace

FrmMaske::FrmMaske(UserDialogs& dialogs, int dpiOverride, QWidget* parent)
    : QWidget(parent), dpi(dpiOverride > 0 ? dpiOverride : screenDpi()),
      plots{makePlot(this, "picAusgabe(0)", pixelRect(layout::kPlotA, dpi), dpi),
            makePlot(this, "picAusgabe(1)", pixelRect(layout::kPlotB, dpi), dpi)},
      control(*this, dialogs, plots[0]->surface(), plots[1]->surface()) {
    setObjectName(QStringLiteral("frmMaske"));
    setWindowTitle(QStringLiteral("sorkam"));
    setFont(serifFont(layout::kWindowPointSize));

    captions[0] =
        makeLabel(this, "lbltype(0)", QStringLiteral("VIDEO A"), pixelRect(layout::kLabelA, dpi));
    captions[1] =
        makeLabel(this, "lbltype(1)", QStringLiteral("VIDEO B"), pixelRect(layout::kLabelB, dpi));
    statusLabel = makeLabel(this, "lblfile", QString(), pixelRect(layout::kStatus, dpi));
    // The status text takes the record's colour, white and yellow among them: it stands on the
    // plot areas' grey, where every record colour is readable.
    statusLabel->setAutoFillBackground(true);
    QPalette statusPalette = statusLabel->palette();
    statusPalette.setColor(QPalette::Window, toQColor(ImagePlotSurface::kBackground));
    statusLabel->setPalette(statusPalette);
    clearButton =
        makeButton(this, "cmdclear", QStringLiteral("&Clear"), pixelRect(layout::kClear, dpi));
    downButton = makeButton(this, "cmdDown", QStringLiteral("<"), pixelRect(layout::kDown, dpi));
    upButton = makeButton(this, "cmdup", QStringLiteral(">"), pixelRect(layout::kUp, dpi));
    // The captions sit above the plot areas they name.
    captions[0]->lower();
    captions[1]->lower();

    setTabOrder(plots[0], upButton);
    setTabOrder(upButton, downButton);
    setTabOrder(downButton, clearButton);
    setTabOrder(clearButton, plots[1]);

    connect(upButton, &QPushButton::clicked, this,
            [this] { run([this] { control.cmdup_Click(); }); });
    connect(downButton, &QPushButton::clicked, this,
            [this] { run([this] { control.cmdDown_Click(); }); });
    connect(clearButton, &QPushButton::clicked, this,
            [this] { run([this] { control.cmdclear_Click(); }); });

    resize(layout::toPixels(layout::kClientWidth, dpi),
           layout::toPixels(layout::kClientHeight, dpi));
    move(layout::toPixels(layout::kClientLeft, dpi), layout::toPixels(layout::kClientTop, dpi));
}

void FrmMaske::Form_Load(const std::string& commandLine) {
    run([this, &commandLine] { control.Form_Load(commandLine); });
}

void FrmMaske::run(const std::function<void()>& handler) {
    // A modal box inside a handler runs a nested event loop; a resize that arrives meanwhile is
    // handled after the running handler, so handlers never overlap.
    inHandler = true;
    handler();
    while (resizePending && !control.ended()) {
        resizePending = false;
        control.Form_Resize();
    }
    inHandler = false;
    plots[0]->update();
    plots[1]->update();
}

void FrmMaske::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (inHandler) {
        resizePending = true;
        return;
    }
    run([this] { control.Form_Resize(); });
}

void FrmMaske::SetTitle(const std::string& title) {
    setWindowTitle(literalWindowTitle(pathForDisplay(title)));
}

void FrmMaske::SetStatusCaption(const std::string& caption) {
    statusLabel->setText(headerTextForDisplay(caption));
}

void FrmMaske::SetStatusColor(Color color) {
    QPalette palette = statusLabel->palette();
    palette.setColor(QPalette::WindowText, toQColor(color));
    statusLabel->setPalette(palette);
}

void FrmMaske::EndProgram(int status) {
    if (endStatus) {
        return;
    }
    endStatus = status;
    hide();
    // Takes effect once the event loop runs, also when the failure comes before it started.
    QMetaObject::invokeMethod(
        qApp, [status] { QCoreApplication::exit(status); }, Qt::QueuedConnection);
}

} // namespace sorkam
