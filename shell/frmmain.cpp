#include "frmmain.h"

#include <QAction>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "artwork.h"
#include "caption_button_looks.h"
#include "document_box.h"
#include "document_edit.h"
#include "document_font.h"
#include "document_history.h"
#include "file_drops.h"
#include "fonts.h"
#include "frmmain_geometry.h"
#include "help_text.h"
#include "program_directory.h"
#include "reading_settings.h"
#include "sorvani_version.h"
#include "taskbar_entry.h"
#include "twips.h"
#include "window_outline.h"
#include "window_skin.h"

namespace sorvani::shell {

using namespace frmmain_geometry;

namespace {

template <typename Control>
Control* Create(QWidget* parent, const TwipRect& geometry) {
    auto* control = new Control(parent);
    SetGeometryInTwips(*control, geometry);
    return control;
}

QPushButton* CreateCommand(QWidget* frame, const QString& caption, int index) {
    auto* button = Create<QPushButton>(
        frame,
        {kCommandLeft, kCommandFirstTop + index * kCommandSpacing, kCommandWidth, kCommandHeight});
    button->setText(caption);
    return button;
}

QTextEdit* CreateHiddenBox(QWidget* parent, const TwipRect& geometry) {
    auto* box = Create<QTextEdit>(parent, geometry);
    box->hide();
    return box;
}

ImageControl* CreateImage(QWidget* parent, int width, int height,
                          Qt::CursorShape cursor = Qt::ArrowCursor) {
    auto* image = Create<ImageControl>(parent, {0, 0, width, height});
    image->setCursor(cursor);
    return image;
}

// Places a chrome control. A negative width or height is refused and the control keeps its
// old one, so a window too small for the layout still gets the rest of it.
void Place(QWidget& control, int left, int top, int width, int height) {
    const TwipRect old = GeometryInTwips(control);
    SetGeometryInTwips(
        control, {left, top, width < 0 ? old.width : width, height < 0 ? old.height : height});
}

}  // namespace

frmmain::frmmain(const sorvani::PinyinDictionary& dictionary, std::unique_ptr<UserPrompts> prompts,
                 std::unique_ptr<PointerPosition> pointer)
    : Dictionary(dictionary),
      CmdDlg(prompts ? std::move(prompts) : std::make_unique<DialogPrompts>(this)),
      Annotation(dictionary, sorvani::WordTableFilePath(sorvani::ProgramDirectory())),
      OpenExternally([](const QUrl& url) { return QDesktopServices::openUrl(url); }),
      pointer_(pointer ? std::move(pointer) : std::make_unique<CursorPosition>()) {
    // A tool window has no taskbar button: the proxy window stands for the program there.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setWindowTitle(QString::fromLatin1(kSorvaniDesignCaption));
    setFont(FontOf(WindowFontFamily(), kWindowFontPoints));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    SetGeometryInTwips(*this, {0, 0, kInitialWidth, kInitialHeight});

    CreateContent();
    CreateHelpers();
    CreateChrome();
    setTabOrder(Wj, quit);
    setTabOrder(quit, LoadFile);
    setTabOrder(LoadFile, zy);
    setTabOrder(zy, dcwj);
    setTabOrder(dcwj, about);
    setTabOrder(about, aczy);
    setTabOrder(aczy, ybbd);
    connect(LoadFile, &QPushButton::clicked, this, &frmmain::LoadFile_Click);
    connect(zy, &QPushButton::clicked, this, &frmmain::zy_Click);
    connect(dcwj, &QPushButton::clicked, this, &frmmain::dcwj_Click);
    connect(about, &QPushButton::clicked, this, &frmmain::about_Click);
    connect(quit, &QPushButton::clicked, this, &frmmain::quit_Click);
    for (QCheckBox* option : {aczy, ybbd}) {
        connect(option, &QCheckBox::toggled, this, [this] {
            SaveReadingOptions({aczy->isChecked(), ybbd->isChecked()});
        });
    }
    ConnectChrome();
    // A text or RTF file dropped anywhere on the window is imported.
    auto* drops = new FileDrops(this, [this](const QString& path) { OpenDocument(path); });
    drops->Watch(*Wj->viewport());
    drops->Watch(*this);
    setAcceptDrops(true);
    Form_Load();
}

void frmmain::CreateContent() {
    Frame1 = Create<QGroupBox>(this, kFrame1);
    LoadFile = CreateCommand(Frame1, QStringLiteral("导入文件&L"), 0);
    zy = CreateCommand(Frame1, QStringLiteral("标注拼音&Z"), 1);
    dcwj = CreateCommand(Frame1, QStringLiteral("导出文件&D"), 2);
    about = CreateCommand(Frame1, QStringLiteral("帮    助&A"), 3);
    quit = CreateCommand(Frame1, QStringLiteral("退    出&X"), 4);
    std::optional<QString> settingsSetAside;
    const sorvani::ReadingOptions readings = LoadReadingOptions(&settingsSetAside);
    // Told once the window shows.
    if (settingsSetAside)
        QTimer::singleShot(0, this,
                           [this, message = *settingsSetAside] { CmdDlg->Inform(message); });
    aczy = Create<QCheckBox>(Frame1, kByWordOption);
    aczy->setText(QStringLiteral("按词注音"));
    aczy->setChecked(readings.byWord);
    ybbd = Create<QCheckBox>(Frame1, kToneChangeOption);
    ybbd->setText(QStringLiteral("一不变调"));
    ybbd->setChecked(readings.toneChange);

    Frame2 = Create<CaptionFrame>(this, kFrame2);
    Frame2->SetCaption(QStringLiteral("文件内容"));
    auto* box = Create<DocumentEdit>(Frame2, kWj);
    box->SetReplacements(
        {[this](bool back) { return back ? history_.CanUndo() : history_.CanRedo(); },
         [this](bool back) { StepThroughReplacements(back); }});
    auto* correctReading = new QAction(QStringLiteral("自定义读音"), this);
    connect(correctReading, &QAction::triggered, this, &frmmain::CorrectReading);
    auto* editUserWords = new QAction(QStringLiteral("编辑自定义读音列表"), this);
    connect(editUserWords, &QAction::triggered, this, &frmmain::EditUserWords);
    // Printing is reached from the document's own menu and with Ctrl+P anywhere in the window.
    auto* print = new QAction(QStringLiteral("打印(&P)..."), this);
    print->setObjectName(QStringLiteral("print"));
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, this, &frmmain::PrintDocument);
    addAction(print);
    box->SetMenuActions({correctReading, editUserWords, print});
    Wj = box;
    Wj->setFont(sorvani::documents::DocumentFont());
    // Long lines scroll instead of wrapping, so a pinyin line stays above its characters; a
    // document with a paragraph too long to draw at every paint wraps at this width.
    Wj->setLineWrapMode(QTextEdit::NoWrap);
    Wj->setLineWrapColumnOrWidth(kWjWrapColumns * QFontMetrics(Wj->font()).horizontalAdvance(u'0'));
    // A long text pasted or typed in is laid out without freezing the window.
    PaceLayout(*Wj);

    // Moves over the frames and their controls are not moves over the window's bare surface.
    Frame1->setAttribute(Qt::WA_NoMousePropagation);
    Frame2->setAttribute(Qt::WA_NoMousePropagation);
}

void frmmain::CreateHelpers() {
    Label1 = Create<QLabel>(Frame2, kLabel1);
    Label1->setFont(FontOf(WindowFontFamily(), 15));
    Label1->setText(QStringLiteral("Label1"));
    Label1->hide();
    Label2 = Create<QLabel>(Frame2, kLabel2);
    Label2->setFont(FontOf(WindowFontFamily(), 21.75));
    Label2->setText(QStringLiteral("80%"));
    Label2->hide();
    PrgB = Create<QProgressBar>(this, kPrgB);
    PrgB->setRange(0, 100);
    PrgB->hide();
    wjtemp = CreateHiddenBox(this, kWjtemp);
    wj2 = CreateHiddenBox(this, kWj2);

    Pmain = SkinPicture();
    ImMin1 = StatePicture(QStringLiteral("ImMin1"));
    ImMin2 = StatePicture(QStringLiteral("ImMin2"));
    Immax1 = StatePicture(QStringLiteral("Immax1"));
    Immax2 = StatePicture(QStringLiteral("Immax2"));
    ImClose1 = StatePicture(QStringLiteral("ImClose1"));
    ImClose2 = StatePicture(QStringLiteral("ImClose2"));
    IMus0 = StatePicture(QStringLiteral("IMus0"));
    IMus1 = StatePicture(QStringLiteral("IMus1"));
    IMus2 = StatePicture(QStringLiteral("IMus2"));
}

void frmmain::CreateChrome() {
    IMBar = CreateImage(this, 0, kCaptionStripHeight);
    Immin = CreateImage(this, kCaptionButtonWidth, kCaptionButtonHeight);
    Immin->setToolTip(QStringLiteral("最小化"));
    Immax = CreateImage(this, kCaptionButtonWidth, kCaptionButtonHeight);
    Immax->setToolTip(QStringLiteral("最大化"));
    Imclose = CreateImage(this, kCaptionButtonWidth, kCaptionButtonHeight);
    Imclose->setToolTip(QStringLiteral("关闭"));
    Pbottom = CreateImage(this, 0, kBottomGripHeight, Qt::SizeVerCursor);
    Pright = CreateImage(this, kRightGripWidth, 0, Qt::SizeHorCursor);
    // Created last, so it lies above the other two grips where they overlap.
    Pjiao = CreateImage(this, kCornerGripSize, kCornerGripSize, Qt::SizeFDiagCursor);
}

void frmmain::Form_Load() {
    setWindowTitle(QString::fromLatin1(kSorvaniTitle));
    // Centred before it first shows: a window manager places a window shown without a place of
    // its own where it likes, and may do so after the later move (fluxbox at the top).
    const QRect screenArea = (screen() ? screen() : QGuiApplication::primaryScreen())->geometry();
    const TwipRect screenTwips = ToTwips(screenArea);
    const TwipRect window = GeometryInTwips(*this);
    MoveInTwips(*this, screenTwips.left + (screenTwips.width - window.width) / 2,
                screenTwips.top + (screenTwips.height - window.height) / 2);
    // Showing the proxy shows this window too, through the proxy's resize handling.
    proxy_ = std::make_unique<frmtemp>(*this);
    proxy_->show();
    proxy_->MoveOutOfSight();
    SetGeometryInTwips(*Wj, kWj);
    Wj->setPlainText(BuildHelpText());
    Wj->setFocus();
}

void frmmain::Form_Resize() {
    const TwipRect window = GeometryInTwips(*this);
    const int w = window.width;
    const int h = window.height;
    Place(*IMBar, 0, 0, w - kCaptionStripRightGap, kCaptionStripHeight);
    Place(*Immax, w - kMaximizeFromRight, kCaptionButtonTop, kCaptionButtonWidth,
          kCaptionButtonHeight);
    Place(*Immin, w - kMinimizeFromRight, kCaptionButtonTop, kCaptionButtonWidth,
          kCaptionButtonHeight);
    Place(*Imclose, w - kCloseFromRight, kCaptionButtonTop, kCaptionButtonWidth,
          kCaptionButtonHeight);
    Place(*Pbottom, 0, h - kBottomGripHeight, w - kBottomGripRightGap, kBottomGripHeight);
    Place(*Pright, w - kRightGripWidth, kRightGripTop, kRightGripWidth, h - kRightGripTop);
    Place(*Pjiao, w - kCornerGripSize, h - kCornerGripSize, kCornerGripSize, kCornerGripSize);

    surface_ = QImage(size(), QImage::Format_RGB32);
    PaintWindowSkin(surface_, Pmain, palette().color(QPalette::Button), windowTitle(), font());
    update();
    ShapeWindowRegion(*this);
}

void frmmain::Form_MouseMove() {
    for (ImageControl* button : {Imclose, Immin, Immax})
        if (!button->Tag.isEmpty()) Unlight(*button);
}

void frmmain::about_Click() {
    // A long command works on the document meanwhile; what it leaves replaces the help anyway.
    LongCommand command(longCommand_, *this, *Wj, LongWorkYieldMs);
    if (!command.Started()) return;
    auto help = std::make_unique<QTextDocument>();
    help->setDefaultFont(Wj->font());
    help->setPlainText(BuildHelpText());
    try {
        ReplaceDocument(std::move(help), command.Events());
    } catch (...) {
        return;  // the window closes
    }
    // The help holds nothing of the user's to export.
    Wj->document()->setModified(false);
    // A document with a very long paragraph had the box wrap; the help's lines scroll.
    Wj->setLineWrapMode(QTextEdit::NoWrap);
    Wj->repaint();
    Wj->setFocus();
}

void frmmain::ReplaceDocument(std::unique_ptr<QTextDocument> document, EventLoop& events) {
    const QString caption = Frame2->Caption();
    if (std::unique_ptr<QTextDocument> old = SwapDocument(*Wj, std::move(document), events))
        history_.Replaced({std::move(old), caption});
}

void frmmain::StepThroughReplacements(bool back) {
    LongCommand command(longCommand_, *this, *Wj, LongWorkYieldMs);
    if (!command.Started()) return;
    DocumentHistory::Entry next = back ? history_.Undo() : history_.Redo();
    if (!next.document) return;
    DocumentHistory::Entry current{nullptr, Frame2->Caption()};
    try {
        current.document = SwapDocument(*Wj, std::move(next.document), command.Events());
    } catch (...) {
        return;  // the window closes
    }
    Frame2->SetCaption(next.caption);
    if (back)
        history_.PutAsideForRedo(std::move(current));
    else
        history_.PutAsideForUndo(std::move(current));
    Wj->setFocus();
}

void frmmain::quit_Click() { Imclose_Click(); }

void frmmain::resizeEvent(QResizeEvent*) {
    Form_Resize();
    // The skin was painted afresh: a maximized window shows its restore glyph again.
    if (isMaximized()) DrawRestoreGlyph();
    FollowToggledSize();
}

void frmmain::mouseMoveEvent(QMouseEvent*) { Form_MouseMove(); }

// Each time the window is shown, before the window system maps it: only the proxy belongs on the
// taskbar.
void frmmain::showEvent(QShowEvent*) { KeepOffTaskbar(*this); }

void frmmain::paintEvent(QPaintEvent*) { QPainter(this).drawImage(0, 0, surface_); }

}  // namespace sorvani::shell
