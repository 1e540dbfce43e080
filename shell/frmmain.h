#pragma once

#include <QWidget>

// The main window.
class frmmain : public QWidget {
    Q_OBJECT

  public:
    explicit frmmain(QWidget* parent = nullptr);
};
