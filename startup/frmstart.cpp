#include "frmstart.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <cmath>
#include <cstdlib>
#include <exception>
#include <utility>

#include "dictionary_file.h"
#include "fonts.h"
#include "frmstart_geometry.h"
#include "sorvani_version.h"
#include "twips.h"
#include "window_outline.h"

namespace sorvani::startup {

using namespace shell;

using namespace frmstart_geometry;

namespace {

QLabel* CreateLabel(QWidget* parent, double points, bool bold) {
    auto* label = new QLabel(parent);
    label->setFont(FontOf(WindowFontFamily(), points, bold));
    return label;
}

void SetTextColour(QLabel& label, const QColor& colour) {
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, colour);
    label.setPalette(palette);
}

int16_t NearestTwip(double twips) { return static_cast<int16_t>(std::nearbyint(twips)); }

// The line ends are 16-bit twips; within the animation's few dozen ticks they cannot overflow.
void Shift(int16_t& x, int by) { x = static_cast<int16_t>(x + by); }

}  // namespace

frmstart::frmstart(sorvani::PinyinDictionary& dictionary, std::filesystem::path dictionaryFile,
                   UserPrompts& prompts)
    : dictionary_(dictionary), dictionaryFile_(std::move(dictionaryFile)), prompts_(prompts) {
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setMouseTracking(true);
    const QRect screenArea = QGuiApplication::primaryScreen()->geometry();
    const QRect area = ToPixels({0, 0, kWidth, kHeight});
    setGeometry(QRect(screenArea.center() - area.center(), area.size()));

    Label1 = CreateLabel(this, kTitlePoints, true);
    SetTextColour(*Label1, kTitleColour);
    Label2 = CreateLabel(this, kFooterPoints, true);
    Label3 = CreateLabel(this, kFooterPoints, true);
    Line1.colour = kLine1Colour;
    Line2.colour = kLine2Colour;
    Line3.colour = kLine3Colour;
    connect(&Timer1, &QTimer::timeout, this, &frmstart::Timer1_Timer);
    connect(&Timer2, &QTimer::timeout, this, &frmstart::Timer2_Timer);
    connect(&Timer3, &QTimer::timeout, this, &frmstart::Timer3_Timer);
    connect(&Timer4, &QTimer::timeout, this, &frmstart::Timer4_Timer);
    Form_Load();
}

int frmstart::WidthInTwips() const { return PixelsToTwips(width()); }
int frmstart::HeightInTwips() const { return PixelsToTwips(height()); }

void frmstart::Form_Load() {
    ShapeWindowRegion(*this);
    Label1->clear();
    const double centre = WidthInTwips() / 2.0;
    Line1.x1 = Line1.x2 = Line2.x1 = Line2.x2 = centre;
    Line3.x1 = Line3.x2 = 0;
    line1Top_ = NearestTwip(Line1.x1);
    line1Bottom_ = NearestTwip(Line1.x2);
    line2Top_ = NearestTwip(Line2.x1);
    line2Bottom_ = NearestTwip(Line2.x2);
    QPalette background = palette();
    background.setColor(QPalette::Window, kBackground);
    setPalette(background);
    setAutoFillBackground(true);
    Timer1.start(kAnimationInterval);
    Timer2.start(kAnimationInterval);
    Timer3.start(kAnimationInterval);
    Timer4.start(kFinishInterval);

    // The footers are placed after their texts are set, so each is measured with its text.
    Label2->setText(QStringLiteral("汉语拼音标注工具"));
    Label2->adjustSize();
    MoveInTwips(*Label2, kFooterLeft, HeightInTwips() - kFooterFromBottom);
    Label3->setText(QStringLiteral("简体中文 · 声调可选"));
    Label3->adjustSize();
    MoveInTwips(*Label3, WidthInTwips() - GeometryInTwips(*Label3).width - kFooterRightMargin,
                HeightInTwips() - kFooterFromBottom);
}

void frmstart::Timer1_Timer() {
    Shift(line1Top_, kSwingStep);
    Shift(line1Bottom_, -kSwingStep);
    Line1.x1 = line1Top_;
    Line1.x2 = line1Bottom_;
    update();
}

void frmstart::Timer2_Timer() {
    Shift(line2Top_, -kSwingStep);
    Shift(line2Bottom_, kSwingStep);
    Line2.x1 = line2Top_;
    Line2.x2 = line2Bottom_;
    update();
}

void frmstart::Timer3_Timer() {
    Line3.x1 += kSweepStep;
    Line3.x2 += kSweepStep;
    update();
    if (Line3.x1 - WidthInTwips() / 2.0 >= 0) {
        Timer1.stop();
        Timer2.stop();
        return;
    }
    Label1->setText(QString::fromLatin1(kSorvaniTitle));
    Label1->adjustSize();
    const TwipRect title = GeometryInTwips(*Label1);
    MoveInTwips(*Label1, (WidthInTwips() - title.width) / 2.0,
                (HeightInTwips() - title.height) / 5.0 * 2);
}

void frmstart::Timer4_Timer() {
    SetTextColour(*Label1, kTitleFinalColour);
    if (Line3.x1 - WidthInTwips() >= 0) Finish();
}

void frmstart::Finish() {
    Timer3.stop();
    Line3.visible = false;
    repaint();
    // The load blocks the event loop, and a failure report is modal: no tick may run again.
    Timer1.stop();
    Timer2.stop();
    Timer4.stop();
    try {
        sorvani::LoadPinyinDictionary(dictionary_, dictionaryFile_);
    } catch (const std::exception& failure) {
        startFailed_ = true;
        prompts_.Inform(QString::fromUtf8(failure.what()));
        QCoreApplication::exit(EXIT_FAILURE);
        return;
    }
    dictionaryLoaded_ = true;
    ShowMainWindow();
}

void frmstart::ShowMainWindow() {
    if (!main_) main_ = std::make_unique<frmmain>(dictionary_);
    main_->show();
    // The taskbar proxy was shown after the main window: bring the main window to the front.
    main_->raise();
    main_->activateWindow();
    close();
    // Opened from the event loop, as a click on the import would be, once the window shows.
    if (!document_.isEmpty())
        QMetaObject::invokeMethod(
            main_.get(),
            [main = main_.get(), document = std::exchange(document_, {})] {
                main->OpenDocument(document);
            },
            Qt::QueuedConnection);
}

void frmstart::Form_MouseMove() {
    if (dictionaryLoaded_) ShowMainWindow();
}

void frmstart::mouseMoveEvent(QMouseEvent*) { Form_MouseMove(); }

void frmstart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (const SplashLine* line : {&Line1, &Line2, &Line3}) {
        if (!line->visible) continue;
        painter.setPen(QPen(line->colour, kLinePixels));
        painter.drawLine(QPointF(TwipsToPixelsF(line->x1), TwipsToPixelsF(kLineTop)),
                         QPointF(TwipsToPixelsF(line->x2), TwipsToPixelsF(kLineBottom)));
    }
}

}  // namespace sorvani::startup
