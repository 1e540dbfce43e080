#include "layout_choices_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace sorvani::shell {

using sorvani::documents::ReadingChoices;

LayoutChoicesDialog::LayoutChoicesDialog(const ReadingChoices& choices, bool forPrinting,
                                         QWidget* parent)
    : QDialog(parent),
      reading(new QRadioButton(QStringLiteral("读物版式（拼音居中在汉字上方）"), this)),
      box(new QRadioButton(QStringLiteral("与文件框相同"), this)),
      size(new QSpinBox(this)),
      capitals(new QCheckBox(QStringLiteral("拼音首字母大写"), this)),
      toneColours(new QCheckBox(QStringLiteral("按声调给拼音着色"), this)),
      grid(new QCheckBox(QStringLiteral("田字格和四线三格"), this)),
      keptLayout_(choices.layout) {
    setWindowTitle(QStringLiteral("版面设置"));
    size->setRange(ReadingChoices::kSmallestSize, ReadingChoices::kLargestSize);
    size->setSuffix(QStringLiteral(" 磅"));
    size->setValue(choices.size);
    capitals->setChecked(choices.capitals);
    toneColours->setChecked(choices.toneColours);
    grid->setChecked(choices.grid);
    const bool boxCopy = choices.layout == ReadingChoices::Layout::Box && !forPrinting;
    (boxCopy ? box : reading)->setChecked(true);

    auto* form = new QFormLayout;
    if (!forPrinting) {
        form->addRow(QStringLiteral("版式："), reading);
        form->addRow(QString(), box);
    } else {
        reading->hide();
        box->hide();
    }
    form->addRow(QStringLiteral("汉字大小："), size);
    form->addRow(QString(), capitals);
    form->addRow(QString(), toneColours);
    form->addRow(QString(), grid);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    // A few choices: nothing to gain from a larger dialog.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(form);
    layout->addWidget(buttons);

    const auto follow = [this] {
        for (QWidget* readingOnly :
             {static_cast<QWidget*>(size), static_cast<QWidget*>(capitals),
              static_cast<QWidget*>(toneColours), static_cast<QWidget*>(grid)})
            readingOnly->setEnabled(reading->isChecked());
    };
    connect(reading, &QRadioButton::toggled, this, follow);
    follow();
}

ReadingChoices LayoutChoicesDialog::Choices() const {
    ReadingChoices choices;
    choices.layout = box->isChecked()  ? ReadingChoices::Layout::Box
                     : box->isHidden() ? keptLayout_
                                       : ReadingChoices::Layout::Reading;
    choices.size = size->value();
    choices.capitals = capitals->isChecked();
    choices.toneColours = toneColours->isChecked();
    choices.grid = grid->isChecked();
    return choices;
}

}  // namespace sorvani::shell
