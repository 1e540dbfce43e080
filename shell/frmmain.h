#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "annotator.h"
#include "caption_frame.h"
#include "document_history.h"
#include "frmtemp.h"
#include "image_control.h"
#include "long_command.h"
#include "pinyin_dictionary.h"
#include "pointer_position.h"
#include "user_prompts.h"

namespace sorvani::shell {

// The main window: the document box, the column of commands, the hidden helpers the commands
// use, and the chrome that stands in for the system frame (caption strip, caption buttons and
// resize grips over a skin painted from a picture, cut to a rounded outline). Geometry is in
// twips; the controls keep their design names.
class frmmain : public QWidget {
    Q_OBJECT

  public:
    // The dictionary is the one loaded at start-up; prompts answer the commands' questions and
    // file dialogs, pointer tells the grips where the mouse is (the real dialogs and the real
    // pointer when none are given).
    explicit frmmain(const sorvani::PinyinDictionary& dictionary,
                     std::unique_ptr<UserPrompts> prompts = nullptr,
                     std::unique_ptr<PointerPosition> pointer = nullptr);

    // The import command once its file is chosen: the path, with the platform's separators,
    // becomes Frame2's caption and the file's content the document box's; a failure is reported
    // as the import reports it. Does nothing while another long command runs.
    void OpenDocument(const QString& path);

    // What the window shows: the skin with the caption, repainted on every size change.
    const QImage& Surface() const { return surface_; }
    // The window that stands for the program in the taskbar.
    frmtemp& TaskbarProxy() const { return *proxy_; }
    // True while a long command (import, export, annotate) runs.
    bool Busy() const { return longCommand_.running; }

    const sorvani::PinyinDictionary& Dictionary;
    // The design's common dialog control. Besides the file dialogs it asks the commands' Yes/No
    // questions and shows their messages: every modal prompt of the window goes through it.
    std::unique_ptr<UserPrompts> CmdDlg;
    // How long an annotation run, an import or an export works between two turns of the event
    // loop.
    int LongWorkYieldMs = 15;
    // The annotate command's annotation, with the word table beside the program; its dictionary's
    // answers and readings are kept for every run.
    sorvani::Annotator Annotation;
    // Opens a file in the program the system has for it (QDesktopServices::openUrl); false when
    // none opened it.
    std::function<bool(const QUrl&)> OpenExternally;

    QGroupBox* Frame1;
    QPushButton* LoadFile;
    QPushButton* zy;
    QPushButton* dcwj;
    QPushButton* about;
    QPushButton* quit;
    // The annotate command's reading options: readings by word, tone change of 一 and 不.
    QCheckBox* aczy;
    QCheckBox* ybbd;
    CaptionFrame* Frame2;  // its caption is the path of the last file imported
    QTextEdit* Wj;
    // The design's hidden label that measured each character line; the column ruler measures
    // the lines instead, so it stays hidden.
    QLabel* Label1;
    QLabel* Label2;  // percentage of the annotate command's progress
    QProgressBar* PrgB;
    // The hidden work and output boxes of the design; the annotate command keeps its work copy
    // and its output in memory instead, so they stay empty.
    QTextEdit* wjtemp;
    QTextEdit* wj2;

    QImage Pmain;  // the skin picture
    ImageControl* IMBar;
    ImageControl* Immin;
    ImageControl* Immax;
    ImageControl* Imclose;
    ImageControl* Pbottom;
    ImageControl* Pright;
    ImageControl* Pjiao;

    // Caption-button state pictures: hover (1) and pressed (2); IMus is the restore glyph,
    // flat (0), hover and pressed.
    QPixmap ImMin1, ImMin2, Immax1, Immax2, ImClose1, ImClose2, IMus0, IMus1, IMus2;

  public slots:
    void Form_Load();
    void Form_Resize();
    void Form_MouseMove();
    void LoadFile_Click();
    void zy_Click();
    void dcwj_Click();
    // Prints the document as reading material, after the layout dialog and the print dialog.
    void PrintDocument();
    void about_Click();
    void quit_Click();
    // The box's context menu: 自定义读音 gives the word selected in the box syllables of the
    // user's own, kept in the user's word list; the other entry opens that list.
    void CorrectReading();
    void EditUserWords();

    void IMBar_MouseDown(Qt::MouseButton button);
    void IMBar_MouseMove();
    void IMBar_MouseUp();
    void IMBar_DblClick();
    void Immin_Click();
    void Immax_Click();
    void Imclose_Click();
    void Immin_MouseDown();
    void Immin_MouseMove();
    void Immin_MouseUp();
    void Immax_MouseDown();
    void Immax_MouseMove();
    void Immax_MouseUp();
    void Imclose_MouseDown();
    void Imclose_MouseMove();
    void Imclose_MouseUp();

    void Pbottom_MouseDown();
    void Pbottom_MouseMove();
    void Pbottom_MouseUp();
    void Pright_MouseDown();
    void Pright_MouseMove();
    void Pright_MouseUp();
    void Pjiao_MouseDown();
    void Pjiao_MouseMove();
    void Pjiao_MouseUp();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void Annotate(LongCommand& command);
    // The readings the check boxes ask for; without a usable word table, readings by single
    // characters, and the first time the user is told why.
    const sorvani::ReadingChooser* ChooseReadings();
    // Reads the user's word list into the readings; tells once what is wrong with it.
    void LoadUserWords();
    // The syllables, with tone marks, the annotate command now gives the word.
    QString CurrentSyllables(const QString& word);
    void ImportDocument(const QString& path, EventLoop& events);
    bool SendToWordProcessor();
    // The layout dialog over the choices kept in the settings, which keep what is chosen;
    // nothing when the user cancels.
    std::optional<sorvani::documents::ReadingChoices> ChooseLayout(bool forPrinting);
    // Shows a new document in the box, the one it replaces kept for an undo.
    void ReplaceDocument(std::unique_ptr<QTextDocument> document, EventLoop& events);
    // An undo (back) or redo past the box's own edits: the document a command replaced comes back.
    void StepThroughReplacements(bool back);
    // True when the document is as last imported or exported, or the user agrees to leave it.
    bool MayLeaveDocument();
    void CreateContent();
    void CreateHelpers();
    void CreateChrome();
    void ConnectChrome();
    void DrawRestoreGlyph();
    void FollowToggledSize();
    void StartDrag(ImageControl& grip);
    // Sets the window's size unless it is maximized; false when it keeps its size.
    bool ResizeInTwips(int width, int height);

    // Retained drawing: the skin is painted here and the paint event only copies it.
    QImage surface_;
    std::unique_ptr<PointerPosition> pointer_;
    // Where a press of the primary button on the caption strip began, until the window system
    // takes over the move or the button is released.
    std::optional<QPoint> movePressedAt_;
    std::unique_ptr<frmtemp> proxy_;
    // After a maximize or restore, the window size in pixels the content was last carried to;
    // none once a grip takes over.
    std::optional<QSize> contentFollows_;

    bool toldWordTableUnavailable_ = false;
    QString toldUserWordsProblem_;  // what the user was last told of the word list
    // Whether a long command (import, export, annotate) runs, and whether the window was closed
    // during it.
    LongCommand::State longCommand_;
    DocumentHistory history_;
};

}  // namespace sorvani::shell
