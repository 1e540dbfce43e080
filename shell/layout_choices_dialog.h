#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QRadioButton>
#include <QSpinBox>

#include "reading_choices.h"

namespace sorvani::shell {

// The small dialog of the layout of printed pages and web pages: the characters' size, capitals
// or small letters, tone colours, the writing-practice grid, and reading material or a copy of
// the box. The choices that only reading material has are shut while the box copy is chosen; for
// printing, which always sets reading material, the box copy is not offered.
class LayoutChoicesDialog : public QDialog {
  public:
    LayoutChoicesDialog(const sorvani::documents::ReadingChoices& choices, bool forPrinting,
                        QWidget* parent = nullptr);

    // As chosen; for printing, the layout the export keeps stays as it was.
    sorvani::documents::ReadingChoices Choices() const;

    QRadioButton* reading;
    QRadioButton* box;
    QSpinBox* size;
    QCheckBox* capitals;
    QCheckBox* toneColours;
    QCheckBox* grid;

  private:
    sorvani::documents::ReadingChoices::Layout keptLayout_;
};

}  // namespace sorvani::shell
