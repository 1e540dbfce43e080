#pragma once

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QWidget>
#include <memory>

#include "image_control.h"
#include "pinyin_dictionary.h"
#include "user_prompts.h"

// The main window: the document box, the column of commands, the hidden helpers the commands
// use, and the chrome that stands in for the system frame (caption strip, caption buttons and
// resize grips over a skin painted from a picture, cut to a rounded outline). Geometry is in
// twips; the controls keep their design names.
class frmmain : public QWidget {
    Q_OBJECT

  public:
    // The dictionary is the one loaded at start-up; prompts answer the commands' questions and
    // file dialogs (the real dialogs when none are given).
    explicit frmmain(const sorvani::PinyinDictionary& dictionary,
                     std::unique_ptr<UserPrompts> prompts = nullptr);

    // What the window shows: the skin with the caption, repainted on every size change.
    const QImage& Surface() const { return surface_; }

    const sorvani::PinyinDictionary& Dictionary;
    std::unique_ptr<UserPrompts> CmdDlg;

    QGroupBox* Frame1;
    QPushButton* LoadFile;
    QPushButton* zy;
    QPushButton* dcwj;
    QPushButton* about;
    QPushButton* quit;
    QGroupBox* Frame2;
    QTextEdit* Wj;
    QLabel* Label1;  // measures the width of a line of text
    QLabel* Label2;  // percentage of the annotate command's progress
    QProgressBar* PrgB;
    QTextEdit* wjtemp;  // work copy of the document during annotation
    QTextEdit* wj2;     // receives the annotated lines

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
    void about_Click();
    void quit_Click();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void CreateContent();
    void CreateHelpers();
    void CreateChrome();

    // Retained drawing: the skin is painted here and the paint event only copies it.
    QImage surface_;
};
